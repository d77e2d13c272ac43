#pragma once

#include "tweaks/RegistryBackend.h"

#include <memory>

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm7;

// The program's five windows, created once in their fixed order and living
// until the program ends.
class TWindows final
{
public:
    explicit TWindows(tessel::RegistryBackend& registry);
    ~TWindows();
    TWindows(const TWindows&) = delete;
    TWindows& operator=(const TWindows&) = delete;

    TForm1& Form1() const { return *m_form1; }
    TForm2& Form2() const { return *m_form2; }
    TForm3& Form3() const { return *m_form3; }
    TForm4& Form4() const { return *m_form4; }
    TForm7& Form7() const { return *m_form7; }

private:
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm3> m_form3;
    std::unique_ptr<TForm4> m_form4;
    std::unique_ptr<TForm7> m_form7;
};
