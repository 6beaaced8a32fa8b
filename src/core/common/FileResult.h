#pragma once

#include <QString>

// The outcome of a file operation: success, or the system's description of what went wrong.
struct FileResult
{
    bool ok = true;
    QString error;
    QString path; // the file written, where the writer chose its name

    static FileResult success() { return {}; }
    static FileResult failure(const QString& description) { return {false, description, {}}; }
    explicit operator bool() const { return ok; }
};
