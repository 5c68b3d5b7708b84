#include "signline/tests/operator.h"

namespace signline_e2e {

bool TOperator::Start(const std::string& exe)
{
    if (!process_.Start(exe)) return false;
    window_ = windrive::WaitWindow(process_.Id(), kCaption, 20000);
    if (window_) windrive::Settle(window_);
    return window_ != nullptr;
}

std::string TOperator::ClickForMessage(const std::string& caption, DWORD timeoutMs)
{
    windrive::Click(Button(caption));
    return windrive::TakeMessage(process_.Id(), timeoutMs);
}

void TOperator::ClickQuietly(const std::string& caption) { windrive::ClickNow(Button(caption)); }

void TOperator::Close()
{
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    process_.WaitExit(10000);
}

}  // namespace signline_e2e
