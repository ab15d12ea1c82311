#include "AudioSentinel.h"

namespace corvex {

_audiosentinel::_audiosentinel(_component* owner) : _sentinel(owner) {
    SetCaption("Audio Sentinel");
}

}  // namespace corvex
