#pragma once

#include "platform/toolkit/CommandButton.h"
#include "platform/toolkit/Control.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/ListBox.h"

// What the user does to the window's controls, delivered the way the backend under test receives
// it (UserInputQt.cpp: simulated mouse events; UserInputWin32.cpp: the controls' notifications).
namespace user_input {

// A click on a list's entry (the list scrolled to it), then a double-click when asked.
void ClickEntry(toolkit::ListBox& list, int index, bool doubleClick);
// A press of the button.
void ClickButton(toolkit::CommandButton& button);
// A press of Tab in the form: the focus moves to the next control.
void PressTab(toolkit::Form& form);
// A press of Enter with the focus on the control.
void PressEnter(toolkit::Form& form, toolkit::Control& control);

}  // namespace user_input
