#pragma once

#include <QString>

#include <optional>

enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RestoreDiscard };
enum class MessageAnswer { Ok, Cancel, Yes, No, Restore, Discard };

// Title of the boxes built by the commands and by ShowMessage.
QString EditorTitle();
// Title of the boxes that name no title of their own.
QString ApplicationTitle();

struct MessageRequest
{
    QString text; // lines joined by CR LF
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    // Yes and No: No is the button Enter presses, for a question whose Yes replaces a file.
    bool noByDefault = false;
};

struct FileDialogRequest
{
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QString filter;        // "Description (*.ext)|*.ext|..." pairs
    int filterIndex = 0;   // one-based; 0 leaves the dialog's choice
    QString defaultSuffix; // without the dot; empty for none
    QString directory;
    QString fileName;
    bool confirmOverwrite = false;
    bool fileMustExist = false;
};

// The one way any code shows a box or asks for a file, so that the editor, the
// console converter and the tests each decide how boxes are shown and answered.
class Dialogs
{
public:
    virtual ~Dialogs();

    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;

    // The installed implementation; a console one answering Cancel until another is installed.
    static Dialogs& current();
    // Installs an implementation it does not own; nullptr restores the default.
    static Dialogs* install(Dialogs* dialogs);
};

// Shows a box and answers the button pressed.
MessageAnswer AskUser(const QString& text, const QString& title, MessageIcon icon,
                      MessageButtons buttons);
