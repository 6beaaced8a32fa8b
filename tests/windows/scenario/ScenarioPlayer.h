#pragma once

#include "ScenarioDialogs.h"
#include "ScenarioScript.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class FrmDips;
class ModalDriver;
class QWidget;

// Plays one GUI scenario, tests/data/gui/<case>/ (tests/data/README.md), on the real main
// window by its keys. Failures go through QTest.
class ScenarioPlayer
{
public:
    explicit ScenarioPlayer(const QString& caseDir);
    ~ScenarioPlayer();

    void play();

private:
    void run(const ScenarioStep& step);
    // Runs what the user does; the boxes, file dialogs and site selector that follow it in the
    // script are answered from it and must be what was shown.
    void act(const ScenarioStep& step, const std::function<void()>& action);
    void expect(const ScenarioStep& step);
    void start(const QString& file);
    void close();
    void pressKeys(const QString& keys);
    void typeText(const QString& text);
    void clickCell(const QString& cell);
    void clickButton(const QString& action);
    void pickLine(const QString& panelAndLine);
    void changeFile(const QString& verb, const QString& files);
    void dropFile(const QString& file);
    void setSetting(const QString& keyAndValue);
    void readCardAs(const QString& change);
    void armSelector(const QString& response, ModalDriver& driver);
    void armPrinting(const QString& response, ModalDriver& driver);
    void printTo(const QString& file);
    void makeLabelsDatabase();
    void activate();
    QWidget* keyTarget();
    QString inWork(const QString& text) const;

    QString caseDir_;
    QTemporaryDir work_;
    ScenarioDialogs dialogs_;
    std::unique_ptr<FrmDips> window_;
    int line_ = 0;
};
