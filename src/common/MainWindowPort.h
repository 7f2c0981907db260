#pragma once

#include <QString>

class QWidget;

// What the subsystems need of the Main window, without knowing the window itself.
class MainWindowPort
{
public:
    virtual ~MainWindowPort() = default;

    // The Main window, to disable, hide and show while another window is open.
    virtual QWidget *mainWindow() = 0;
    // Stops the word display so that another action can work on the words.
    virtual void displayHalt() = 0;
    // Appends text + CR LF + message + CR LF to the main Status box.
    virtual void appendStatusLine(const QString &message) = 0;
    // Appends a piece to the main Status box exactly as given.
    virtual void appendStatusText(const QString &piece) = 0;
    // The SQL box.
    virtual QString sqlText() const = 0;
    virtual void setSqlText(const QString &text) = 0;
    // Opens the Results viewer over the query recordset.
    virtual void openResultsViewer() = 0;
    // The control panel's Close and Open requests: slide the cover over the panel, and
    // slide it open again. A Main window without a control panel does nothing.
    virtual void closeRequest() {}
    virtual void openRequest() {}
    // The control panel's frames and buttons, all of them enabled or disabled at once (the
    // word panel works with the panel disabled around it).
    virtual void setControlPanelEnabled(bool) {}
    // The Highlight reset: every lit button and the quick-search list back to their normal
    // looks.
    virtual void highlightReset() {}
    // Gives the Main window back to the user: enabled and shown.
    void returnToMain();
};
