#include "shell/Windows.h"

#include "access/Unit2.h"
#include "access/Unit3.h"
#include "shell/Unit1.h"
#include "shell/Unit4.h"
#include "shell/Unit7.h"

TWindows::TWindows(tessel::RegistryBackend& registry)
{
    m_form1 = std::make_unique<TForm1>(registry);
    m_form2 = std::make_unique<TForm2>(registry, *m_form1, [this] { m_form1->EnterEditing(); });
    m_form3 = std::make_unique<TForm3>(registry);
    m_form4 = std::make_unique<TForm4>();
    m_form7 = std::make_unique<TForm7>();
    m_form1->SetWindows(m_form2.get(), m_form3.get(), m_form4.get(), m_form7.get());
}

// The secondary windows go first: they were created after the main window.
TWindows::~TWindows()
{
    m_form7.reset();
    m_form4.reset();
    m_form3.reset();
    m_form2.reset();
}
