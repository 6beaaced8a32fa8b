#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One step of a GUI scenario's script.txt (tests/data/README.md): what the user does, or what
// must hold then.
struct ScenarioStep
{
    int line = 0;
    QString verb;
    QString argument;
    // The indented lines after an expectation.
    QStringList block;
    // What must follow an action, in its order: boxes (head and text lines), file dialogs, the
    // site selector; each as the player renders what happened.
    QStringList responses;
};

// The steps of a script; nullopt for one that does not parse, with the line in `error`.
std::optional<QList<ScenarioStep>> ParseScenario(const QString& text, QString* error);
