#include "ImpulseHistory.h"

namespace corvex {

void _ibuffer::Resize(std::uint32_t size) {
    samples_.assign(size, _isample{});
    write_ = oldest_ = newest_ = 0;
}

void _ibuffer::Append(std::uint32_t value, _color color) {
    if (samples_.empty()) return;
    newest_ = write_;
    samples_[write_] = {value, color};
    if (++write_ == Size()) write_ = 0;
    if (write_ == oldest_) ++oldest_;
    if (oldest_ == Size()) oldest_ = 0;
}

}  // namespace corvex
