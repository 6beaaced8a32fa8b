#pragma once

// The main window's stored position and height, in twips.
struct FormSize
{
    static constexpr double kDefaultTop = 500;
    static constexpr double kDefaultLeft = 500;
    static constexpr double kDefaultHeight = 9375;

    double top = kDefaultTop;
    double left = kDefaultLeft;
    double height = kDefaultHeight;
};

// Reads section "FormSize"; a value that is absent or not a number gives its default.
FormSize LoadFormSize();
// Writes top, left and height as plain decimal texts.
void SaveFormSize(const FormSize& size);
