// The save and colour dialogs, the desktop launcher and message boxes answered by a test.
#pragma once

#include "platform/dialogs/CommonDialog.h"
#include "platform/system/Launcher.h"
#include "platform/dialogs/MessageBox.h"

// While it lives, the three seams record into it instead of showing or opening
// anything; start() begins a test with empty recorders.
struct SeamRecorders
{
    CommonDialog::Recorder dialog;
    Launcher::Recorder launcher;
    MessageBox::Recorder messages;

    void start()
    {
        dialog = {};
        launcher = {};
        messages = {};
        CommonDialog::recordForTests(&dialog);
        Launcher::recordForTests(&launcher);
        MessageBox::recordForTests(&messages);
    }

    ~SeamRecorders()
    {
        CommonDialog::recordForTests(nullptr);
        Launcher::recordForTests(nullptr);
        MessageBox::recordForTests(nullptr);
    }
};
