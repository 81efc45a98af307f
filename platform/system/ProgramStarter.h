// Starting another program by its file name, in a window of its own.
#pragma once

#include <QString>
#include <QStringList>

namespace ProgramStarter {

// Runs the program file as it stands (no arguments, no shell, blanks and all)
// and returns at once, without waiting for it. False when it could not be
// started: an empty name, a missing file, a file that is no program.
bool start(const QString &fileName);

// Tests record the file names instead of starting anything: while a recorder
// is set, start() appends to it and returns `answer` (an empty name is still
// refused without being recorded).
struct Recorder
{
    QStringList fileNames;
    bool answer = true;
};
void recordForTests(Recorder *recorder);

} // namespace ProgramStarter
