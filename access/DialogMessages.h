#pragma once

#include "framework/TDialogService.h"
#include "tweaks/TweakPasses.h"

// The core's messages shown in the plain modal message box.
class TDialogMessages final : public tessel::MessageSink
{
public:
    void ShowMessage(std::string_view text) override
    {
        ::ShowMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
};
