// The application: title, main form, the message loop, and the handler
// that every exception reaching the loop or a callback boundary ends in
// (its text in a message box, then the loop goes on).
#pragma once

#include <exception>
#include <string>

#include "framework/forms.h"

namespace fw {

using TExceptionEvent = TDelegate<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
    FW_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);

    // Makes the application's hidden window; safe to call twice.
    void Initialize();
    HWND Handle();

    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Creates a form owned by the application and sets reference to it
    // before its layout is read and OnCreate runs; the first form created
    // becomes the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        T* form = new T(this);
        reference = form;
        TScopeExit freeUnlessMade([&reference, form] {
            reference = nullptr;
            form->Free();
        });
        form->InitializeForm();
        freeUnlessMade.Dismiss();
        if (!mainForm_) mainForm_ = form;
    }
    TCustomForm* MainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Runs the messages that are waiting, then returns.
    void ProcessMessages();
    // Runs one message, or waits for one when none is waiting.
    void HandleMessage();

    // Call inside a catch block: OnException when assigned, else the
    // exception's text in a message box.
    void HandleException(TObject* sender);
    void ShowException(const std::string& message);
    TExceptionEvent OnException;

    // A modal message box titled with the application title (or caption).
    int MessageBox(const std::string& text, const std::string& caption = {}, UINT flags = MB_OK);

    // A form freed, or gone from the application.
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Destroy() override;

private:
    bool ProcessMessage();
    void Idle();

    HWND handle_ = nullptr;
    std::string title_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showingException_ = false;
};

extern TApplication* Application;

}  // namespace fw
