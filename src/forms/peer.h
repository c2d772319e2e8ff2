// What a backend hangs on a form: told of every change the program makes.
#pragma once

#include "forms/types.h"

namespace forms {

class Control;

class FormPeer {
  public:
    virtual ~FormPeer() = default;
    virtual void formChanged(Prop what) = 0;
    virtual void controlChanged(Control& control, Prop what) = 0;
};

}  // namespace forms
