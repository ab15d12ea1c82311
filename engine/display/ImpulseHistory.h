#pragma once
// _ibuffer: the sample history of the graph control, a ring of
// (value, colour) records with its write, oldest and newest indices.
//
// Portable: no Windows header.

#include <cstdint>
#include <vector>

#include "Color.h"

namespace corvex {

struct _isample {
    std::uint32_t value = 0;
    _color color = 0;  // the control's Color when the sample came
};

class _ibuffer {
public:
    // Size 0 until Resize: no storage, nothing appended or walked.
    std::uint32_t Size() const noexcept { return static_cast<std::uint32_t>(samples_.size()); }

    // Discards every sample: a zero-filled ring of `size`, indices at 0.
    void Resize(std::uint32_t size);

    // Stores the sample at the write index and moves on; once the ring is
    // full the oldest index runs one slot ahead of the write index.
    void Append(std::uint32_t value, _color color);

    std::uint32_t WriteIndex() const noexcept { return write_; }
    std::uint32_t OldestIndex() const noexcept { return oldest_; }
    std::uint32_t NewestIndex() const noexcept { return newest_; }

    // The newest sample; a zero sample while the size is 0.
    _isample Newest() const noexcept { return samples_.empty() ? _isample{} : samples_[newest_]; }

    // How many samples a walk without a limit visits.
    std::uint32_t Count() const noexcept { return samples_.empty() ? 0 : (newest_ + Size() - oldest_) % Size(); }

    // Visits samples from the newest backwards, stopping before the oldest
    // index (which is never visited) or after `limit` + 1 samples, as
    // visit(k, sample) with k = 0 for the newest.
    template <class Visit>
    void Walk(std::uint32_t limit, Visit visit) const {
        if (samples_.empty()) return;
        std::uint32_t index = newest_;
        for (std::uint32_t k = 0; k <= limit && index != oldest_; ++k) {
            visit(k, samples_[index]);
            index = index == 0 ? Size() - 1 : index - 1;
        }
    }

private:
    std::vector<_isample> samples_;
    std::uint32_t write_ = 0;
    std::uint32_t oldest_ = 0;
    std::uint32_t newest_ = 0;
};

}  // namespace corvex
