// app/formpainter.h
// A paint request of the loop (the window exposed, a pause begun or ended) redraws the main
// window's current frame, without advancing anything.
#pragma once

#include "app/ticklistener.h"

namespace kipkip {

class TMainForm;

class FormPainter : public TickListener {
public:
    explicit FormPainter(TMainForm& form) : form_(form) {}

    void Paint() override;

private:
    TMainForm& form_;
};

}  // namespace kipkip
