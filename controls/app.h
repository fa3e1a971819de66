// The application: its hidden window, the message loop and termination.
#pragma once

#include "ui/control.h"

// The application window (created by the first main form), or nullptr.
TControl* ApplicationWindow();
// Creates the application window when there is none; true when this call created it.
bool CreateApplicationWindow();
// Destroys the application window (the objects of its forms stay with their elements).
void DestroyApplicationWindow();

bool AppRunning();
bool AppTerminated();

// Called after every batch of messages; does nothing by default. nullptr restores that.
using TIdleHook = void (*)();
void SetIdleHook(TIdleHook hook);

// The message loop, until the application quits; then terminates.
void Run(TControl* applicationWindow);
// Ends the application: the loop stops and the application window goes away.
void Terminate();
// Back to the state before the first form (tests).
void ResetApplication();
