#pragma once
// The numbers of the Kernel Sentinel: the title indexes of the performance
// data's Objects object and its counters, and the text of a count.
//
//   kernelobjects::*   title indexes
//   FormatCount        a count written by its format
//   CountProcessList   processes and threads in a system process list
//
// Portable: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>

namespace corvex {

namespace kernelobjects {
constexpr std::uint32_t OBJECT_OBJECTS = 260;
constexpr std::uint32_t COUNTER_PROCESSES = 248;
constexpr std::uint32_t COUNTER_THREADS = 250;
constexpr std::uint32_t COUNTER_EVENTS = 252;
constexpr std::uint32_t COUNTER_SEMAPHORES = 254;
constexpr std::uint32_t COUNTER_MUTEXES = 256;
constexpr std::uint32_t COUNTER_SECTIONS = 258;
}  // namespace kernelobjects

// `text` := `format` with its first "%d" replaced by the decimal `value`
// and "%%" by "%"; anything else stands as written. The format never goes
// to printf, so no text in it can make it read an argument that is not
// there. The text's storage is reused.
void FormatCount(const std::string& format, std::int64_t value, std::string& text);

// Counts the records of a process list as the system's query of processes
// writes it into `data` (`size` bytes): records chained by the byte offset
// to the next one (a 32-bit value at the record's start, 0 after the last),
// each with its thread count in the 32-bit value after that offset. False,
// with nothing counted, when the chain leaves the data, does not move on,
// or there is no record at all.
bool CountProcessList(const void* data, std::size_t size, std::uint64_t& processes, std::uint64_t& threads);

}  // namespace corvex
