#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <memory>

class Form1;
class Form3;
class Program;

// Starts the whole program in-process, exactly as main() does, in a fresh folder holding
// a word database of the test's making. Everything is torn down with the fixture.
class ProgramFixture
{
public:
    struct Options
    {
        TestSupport::DetailsRows details = TestSupport::standardDetails();
        TestSupport::Tables tables;
        bool firstRun = false;   // no zq.ini in the folder
        bool database = true;    // write qvtmdb.mdb at all
    };

    explicit ProgramFixture(const Options &options);
    ProgramFixture() : ProgramFixture(Options{}) {}
    ~ProgramFixture();

    // Runs Program::start() and, on a first run, has the splash hand over at once; the
    // scripted dialogs answer whatever start-up shows. Returns the Main window, or nullptr
    // when start-up ended the program.
    Form1 *start();
    // Runs Program::start() and leaves the splash to its own timers (and the test's clicks).
    // Returns the splash while it is still there: on a first run, or until its deletion.
    Form3 *startSplash();
    Form1 *form() const;
    Program *program() const { return m_program.get(); }
    ScriptedDialogs &dialogs() { return m_dialogs; }
    TestSupport::WorkFolder &folder() { return m_folder; }

private:
    TestSupport::WorkFolder m_folder;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Program> m_program;
};
