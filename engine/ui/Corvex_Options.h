#pragma once
// TOPTIONS: the Options dialog (bar behaviour and tray gauges). For now the
// window the engine creates at start-up, without its controls.

#include "Form.h"

namespace corvex {

class TOPTIONS : public _form {
public:
    explicit TOPTIONS(_component* owner);
};

}  // namespace corvex
