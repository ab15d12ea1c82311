#pragma once
// TDESIGNER: the Designer window (the tree of Sentinels and Speeders). For
// now the window the engine creates at start-up, without its controls.

#include "Form.h"

namespace corvex {

class TDESIGNER : public _form {
public:
    explicit TDESIGNER(_component* owner);
};

}  // namespace corvex
