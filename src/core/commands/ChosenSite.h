#pragma once

#include <QString>

// What the site selector answered: the button that closed it and the highlighted site.
struct ChosenSite
{
    // None when the selector was closed by its close box.
    enum class Button { None, Load, Cancel };

    Button buttonPressed = Button::None;
    QString crvSiteName;
    QString crvCfgDir; // empty when no site was chosen
};
