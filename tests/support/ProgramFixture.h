#pragma once

#include "ScriptedDialogs.h"
#include "TestSupport.h"

#include <memory>

class Form1;

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

    // Runs Program::start(); the scripted dialogs answer whatever start-up shows.
    Form1 *start();
    Form1 *form() const { return m_form.get(); }
    ScriptedDialogs &dialogs() { return m_dialogs; }
    TestSupport::WorkFolder &folder() { return m_folder; }

private:
    TestSupport::WorkFolder m_folder;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Form1> m_form;
};
