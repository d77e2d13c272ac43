#pragma once
// The program's five windows, each with the name its pictures are saved under.
#include "access/Unit2.h"
#include "access/Unit3.h"
#include "shell/Unit1.h"
#include "shell/Unit4.h"
#include "shell/Unit7.h"
#include "shell/Windows.h"

#include <array>

struct NamedWindow
{
    const char* Name;
    QWidget& (*Get)(const TWindows&);
};

inline const std::array<NamedWindow, 5> kNamedWindows{{
    {"main", [](const TWindows& w) -> QWidget& { return w.Form1(); }},
    {"login", [](const TWindows& w) -> QWidget& { return w.Form2(); }},
    {"password", [](const TWindows& w) -> QWidget& { return w.Form3(); }},
    {"about", [](const TWindows& w) -> QWidget& { return w.Form4(); }},
    {"help", [](const TWindows& w) -> QWidget& { return w.Form7(); }},
}};
