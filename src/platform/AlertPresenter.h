#pragma once

#include "platform/Alert.h"

// Shows an alert and waits for the user's answer.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // The index of the button pressed, 0 for the first.
    virtual int ask(const Alert& alert) = 0;
};
