// The password from the outside: its hash against the published vectors,
// set through the hotkey and hiding dialog, asked before hidden windows come
// back, also after a kill and with the line gone from VEXAL.ini, and before
// the command line ends VEXAL.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/PasswordRules.h"
#include "base/Pbkdf2_win.h"
#include "settings/PasswordCheck_win.h"
#include "tests/e2e/ControlBarDriver.h"

namespace {

const wchar_t kPasswordCaption[] = L"VEXAL：密码";
const wchar_t kPassword[] = L"秘密 pass 1";
const char kHideIni[] = "[Extra]\r\nHotkey=F12\r\nHideInsteadOfClose=1\r\n";

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char pair[3];
    for (uint8_t b : bytes) text += (std::snprintf(pair, sizeof pair, "%02x", b), pair);
    return text;
}

// Types `text` into the password dialog and presses OK, or Cancel for none.
void Answer(HWND dialog, const wchar_t* text) {
    if (!text) {
        Click(dialog, IDCANCEL);
        return;
    }
    SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, text);
    Click(dialog, IDOK);
}

// Five wrong ones, each checked (the field emptied) before the next.
bool FiveWrong(HWND dialog) {
    for (int i = 0; i < PasswordThrottle::kFreeTries; ++i) {
        Answer(dialog, L"wrong");
        if (!WaitFor([&] { return GetWindowTextLengthW(GetDlgItem(dialog, IDC_PASSWORD_EDIT)) == 0; }, 8000))
            return false;
    }
    return true;
}

bool Waiting(HWND dialog) { return !IsWindowEnabled(GetDlgItem(dialog, IDC_PASSWORD_EDIT)); }

// VEXAL.ini with the hotkey, hiding and kPassword's verifier, made once.
std::string PasswordIni() {
    static std::string ini;
    if (ini.empty()) ini = std::string(kHideIni) + "Password=" + MakeVerifier(kPassword, wcslen(kPassword)) + "\r\n";
    return ini;
}

// The window program hidden by the hotkey, which asks nothing.
bool HideWithKey(const ControlBar& b, const WindowProgram& w) {
    w.ActivateFront();
    b.PostHotkey();
    return WaitFor([&] { return w.BothHidden(); }, 3000);
}

void Kill(ControlBar& b) {
    TerminateProcess(b.Process(), 1);
    b.WaitExit(5000);
}

// Killed, VEXAL.ini without the password's line, started again: the
// prompt of the start, or null.
HWND KillAndStartWithoutTheLine(ControlBar& b) {
    Kill(b);
    b.WriteFile(L"VEXAL.ini", kHideIni);
    b.Launch();
    return b.WaitWindow(kPasswordCaption, 10000);
}

bool Gone(HWND window) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 8000);
}

}  // namespace

// PBKDF2 with HMAC-SHA-256 through the system's cryptography, against the
// published vectors, and the time one check of a password takes.
E2E_CASE(password_hash_test_vectors) {
    const struct {
        const char* password;
        const char* salt;
        uint32_t iterations;
        const char* derived;
    } vectors[] = {
        {"password", "salt", 1, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {"password", "salt", 2, "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
        {"password", "salt", 4096, "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "348c89dbcbd32b2f32d814b8116e84cf2b17347ebc1800181c4e2a1fb8dd53e1"},
    };
    for (const auto& v : vectors) {
        const std::string password = v.password, salt = v.salt;
        std::vector<uint8_t> derived;
        const bool made = Pbkdf2Sha256(reinterpret_cast<const uint8_t*>(password.data()), password.size(),
                                       std::vector<uint8_t>(salt.begin(), salt.end()), v.iterations, 32, derived);
        Check(made && Hex(derived) == v.derived, "PBKDF2-HMAC-SHA-256 gives the published bytes",
              std::string(v.password) + " x" + std::to_string(v.iterations) + ": " + Hex(derived));
    }
    const std::string verifier = MakeVerifier(kPassword, wcslen(kPassword));
    const DWORD start = GetTickCount();
    const bool right = PasswordMatches(kPassword, wcslen(kPassword), verifier);
    const DWORD took = GetTickCount() - start;
    Check(right && !PasswordMatches(L"秘密 pass 2", 11, verifier) && !PasswordMatches(kPassword, 0, verifier),
          "a verifier made matches its password alone", "one check took " + std::to_string(took) + " ms");
    std::printf("note password check: %lu ms for %lu iterations\n", static_cast<unsigned long>(took),
                static_cast<unsigned long>(kPasswordIterations));
}

// Set through the dialog; hiding asks nothing; bringing back asks, a wrong
// password or Cancel leaves the windows hidden, the right one brings them
// back in order; after a kill, with the line taken out of VEXAL.ini, the
// record still asks for its password.
E2E_CASE(password_guards_bringing_back) {
    ControlBar b({DefaultSettings(), kHideIni});
    if (!Check(b.Start(), "starts")) return;
    PostMessageW(b.Handle(), WM_SYSCOMMAND, IDM_EXTRA, 0);
    HWND extra = b.WaitWindow(L"VEXAL：热键和隐藏设置");
    if (!Check(extra != nullptr, "the hotkey and hiding dialog opens")) return;
    SetDlgItemTextW(extra, IDC_EXTRA_NEW_PASSWORD, kPassword);
    SetDlgItemTextW(extra, IDC_EXTRA_NEW_PASSWORD_AGAIN, kPassword);
    SaveDialogScreenshot("hotkey-dialog-password", extra);
    Click(extra, IDOK);
    std::string ini;
    Check(Gone(extra) && WaitFor([&] {
              return b.ReadFile(L"VEXAL.ini", ini) && ini.find("Password=pbkdf2-sha256$") != std::string::npos;
          }),
          "OK keeps a verifier in VEXAL.ini, not the password", ini);

    WindowProgram w;
    if (!Check(HideWithKey(b, w), "hiding asks nothing")) return;
    b.PostHotkey();
    HWND ask = b.WaitWindow(kPasswordCaption);
    if (!Check(ask != nullptr && w.BothHidden(), "the hotkey asks for the password first")) return;
    SaveDialogScreenshot("password-dialog", ask);
    Answer(ask, L"wrong");
    wchar_t status[64] = L"";
    Check(WaitFor([&] { return GetDlgItemTextW(ask, IDC_PASSWORD_STATUS, status, 64) > 0; }) &&
              std::wstring(status) == L"密码不对，请重新输入。" && w.BothHidden(),
          "a wrong one says so and leaves the windows hidden");
    Answer(ask, nullptr);
    Check(Gone(ask) && !WaitFor([&] { return !w.BothHidden(); }, 1000), "Cancel leaves them hidden (watched 1 s)");
    b.PostHotkey();
    ask = b.WaitWindow(kPasswordCaption);
    if (ask) Answer(ask, kPassword);
    Check(ask && WaitFor([&] { return w.InOrder(); }, 8000), "the right one brings them back in order");

    if (!Check(HideWithKey(b, w), "hidden again")) return;
    ask = KillAndStartWithoutTheLine(b);
    Check(ask && w.BothHidden(), "killed, with the password gone from VEXAL.ini, a start asks for the record's");
    if (ask) Answer(ask, kPassword);
    Check(ask && WaitFor([&] { return w.BothShown(); }, 8000), "which brings them back");
}

// /exit asks in the running VEXAL; Esc at the prompt ends the caller with 3
// and VEXAL runs on.
E2E_CASE(password_asked_by_the_command_line) {
    ControlBar b({DefaultSettings(), PasswordIni()});
    if (!Check(b.Start(), "starts with a password")) return;
    ControlBar caller;
    caller.Launch(L"/exit");
    HWND ask = b.WaitWindow(kPasswordCaption);
    if (!Check(ask != nullptr, "/exit asks for the password in the running VEXAL")) return;
    PostMessageW(ask, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(ask, WM_COMMAND, IDCANCEL, 0);
    Check(caller.WaitExit(8000) && caller.ExitCode() == 3 && !b.WaitExit(1000),
          "Esc ends the caller with 3, and VEXAL runs on");
    caller.Launch(L"/exit");
    ask = b.WaitWindow(kPasswordCaption);
    if (ask) Answer(ask, kPassword);
    Check(ask && caller.WaitExit(15000) && caller.ExitCode() == 0 && b.WaitExit(1000),
          "the right one ends VEXAL, and /exit with 0");
}

// Killed, VEXAL.ini without the line, started again and the prompt
// cancelled: a detonation then, under no password, must not unlock what the
// record's password keeps hidden. Nor does a password set while windows
// are hidden leave them to VEXAL.ini alone.
E2E_CASE(password_record_outlives_a_later_detonation) {
    ControlBar b({DefaultSettings(), PasswordIni()});
    if (!Check(b.Start(), "starts with a password")) return;
    WindowProgram w;
    if (!Check(HideWithKey(b, w), "hidden")) return;
    HWND ask = KillAndStartWithoutTheLine(b);
    if (!Check(ask != nullptr, "the start asks for the record's password")) return;
    Answer(ask, nullptr);
    if (!Check(Gone(ask) && b.WaitBar() && w.BothHidden(), "Cancel: the bar runs, the windows stay hidden")) return;
    WindowProgram other;
    other.ActivateFront();
    ControlBar caller;
    caller.Launch(L"/detonate");
    if (!Check(WaitFor([&] { return other.BothHidden(); }, 5000), "/detonate hides the window in front")) return;
    b.PostHotkey();
    ask = b.WaitWindow(kPasswordCaption, 5000);
    Check(ask != nullptr && w.BothHidden(), "the key still asks for the record's password",
          w.BothHidden() ? "no dialog" : "the first windows came back without it");
    if (ask) Answer(ask, nullptr);

    // A password set while windows are hidden protects them too: the
    // record takes it, and a start with the line gone still asks.
    Kill(b);
    b.Launch();
    ask = b.WaitWindow(kPasswordCaption, 10000);
    if (ask) Answer(ask, kPassword);
    if (!Check(ask && WaitFor([&] { return w.BothShown() && other.BothShown(); }, 8000), "all come back for it"))
        return;
    b.WriteFile(L"VEXAL.ini", kHideIni);
    Kill(b);
    if (!Check(b.Start(), "started again without a password")) return;
    if (!Check(HideWithKey(b, w), "hidden under none")) return;
    PostMessageW(b.Handle(), WM_SYSCOMMAND, IDM_EXTRA, 0);
    HWND extra = b.WaitWindow(L"VEXAL：热键和隐藏设置");
    if (!Check(extra != nullptr, "the hotkey and hiding dialog opens")) return;
    SetDlgItemTextW(extra, IDC_EXTRA_NEW_PASSWORD, kPassword);
    SetDlgItemTextW(extra, IDC_EXTRA_NEW_PASSWORD_AGAIN, kPassword);
    Click(extra, IDOK);
    std::string ini;
    if (!Check(Gone(extra) &&
                   WaitFor([&] { return b.ReadFile(L"VEXAL.ini", ini) && ini.find("Password=") != std::string::npos; }),
               "a password is set"))
        return;
    ask = KillAndStartWithoutTheLine(b);
    Check(ask != nullptr && w.BothHidden(), "killed, with the line gone, a start asks for the password set meanwhile",
          w.BothHidden() ? "no dialog" : "the windows came back without it");
    if (ask) Answer(ask, nullptr);
}

// The wait after five wrong ones is VEXAL's, not one dialog's: closing the
// dialog or starting VEXAL again does not skip it.
E2E_CASE(password_wait_outlives_the_dialog_and_a_new_start) {
    ControlBar b({DefaultSettings(), PasswordIni()});
    if (!Check(b.Start(), "starts with a password")) return;
    WindowProgram w;
    if (!Check(HideWithKey(b, w), "hidden")) return;
    b.PostHotkey();
    HWND ask = b.WaitWindow(kPasswordCaption);
    if (!Check(ask && FiveWrong(ask) && WaitFor([&] { return Waiting(ask); }), "five wrong ones: a wait")) return;
    Answer(ask, nullptr);
    b.PostHotkey();
    ask = b.WaitWindow(kPasswordCaption);
    Check(ask && Waiting(ask), "the dialog opened again still waits");
    if (ask) Answer(ask, nullptr);

    Kill(b);
    b.Launch(L"/restore");
    ask = b.WaitWindow(kPasswordCaption, 10000);
    Check(ask && Waiting(ask), "killed and started with /restore, it still waits");
    if (ask) Answer(ask, nullptr);
    b.WaitExit(5000);
    Check(w.BothHidden(), "and the windows stay hidden");
}

// Every way the bar can be told to end asks, and Cancel leaves it running:
// Esc, Alt+F4 (the system menu's close), a close request, and the OK the
// bar keeps hidden for the Enter key.
E2E_CASE(password_guards_every_way_to_end) {
    ControlBar b({DefaultSettings(), PasswordIni()});
    if (!Check(b.Start(), "starts with a password")) return;
    const struct {
        const char* name;
        UINT message;
        WPARAM wParam;
    } ends[] = {{"Esc", WM_COMMAND, IDCANCEL},
                {"Alt+F4", WM_SYSCOMMAND, SC_CLOSE},
                {"WM_CLOSE", WM_CLOSE, 0},
                {"OK", WM_COMMAND, IDOK}};
    for (const auto& end : ends) {
        PostMessageW(b.Handle(), end.message, end.wParam, 0);
        HWND ask = b.WaitWindow(kPasswordCaption, 3000);
        if (ask) Answer(ask, nullptr);
        if (!Check(ask && Gone(ask) && !b.WaitExit(1000), "asks, and Cancel leaves VEXAL running", end.name)) return;
    }
}

// A request that would ask, coming while the final message shows, is not
// answered 0 before the password is given: it ends with 3 at once, and no
// prompt comes up for it later.
E2E_CASE(password_request_during_a_detonation) {
    BombSettings s = DefaultSettings();
    SetPreset(s, 0, Preset::FinalAction, 5);
    s.Records[0].FinalMessage = "bye";
    ControlBar b({s, PasswordIni()});
    if (!Check(b.Start(), "starts with a password and a final message")) return;
    b.Command(IDC_ARM);
    WindowProgram w;
    w.ActivateFront();
    ControlBar caller;
    caller.Launch(L"/detonate");
    HWND box = b.WaitMessage(8000);
    if (!Check(box != nullptr && w.BothHidden(), "/detonate hides and shows the message")) return;
    caller.Launch(L"/disarm");
    const bool ended = caller.WaitExit(8000);
    Check(ended && caller.ExitCode() == 3, "/disarm meanwhile ends with 3", std::to_string(caller.ExitCode()));
    ControlBar::Dismiss(box);
    HWND ask = b.WaitWindow(kPasswordCaption, 8000);
    Check(ask == nullptr, "once the message is answered, nothing asks for the refused request");
    if (ask) Answer(ask, nullptr);
}

// Another setting chosen while armed changes what the armed bomb does: one
// that does nothing to the target is a disarm in all but name, and asks;
// Cancel keeps the setting that was armed, which still hides the target.
E2E_CASE(password_guards_switching_setting_while_armed) {
    BombSettings s = WithSensitivity(20);
    s.Records[1] = s.Records[0];
    SetPreset(s, 1, Preset::NoDetonation, 1);
    ControlBar b({s, PasswordIni()});
    TargetWindow target(L"Armed with a password");
    if (!Check(b.Start() && b.Arm(target), "armed with a password, the target in front")) return;
    b.Press(IDC_RADIO2);
    HWND ask = b.WaitWindow(kPasswordCaption, 3000);
    if (ask) Answer(ask, nullptr);
    Check(ask != nullptr && (!ask || Gone(ask)) && !b.Checked(IDC_RADIO2),
          "setting 2 asks, and Cancel keeps setting 1");
    target.Activate();
    b.WaitTick();
    SetCursorPos(700, 400);
    Check(WaitFor([&] { return !IsWindowVisible(target.Handle()); }, 5000),
          "which hides the target when the mouse jumps");
}

// Killed, the line taken out, started again with the prompt cancelled, and
// a new password set: ending VEXAL with that one keeps what the record's
// password hides.
E2E_CASE(password_record_outlives_a_new_password) {
    ControlBar b({DefaultSettings(), PasswordIni()});
    if (!Check(b.Start(), "starts with a password")) return;
    WindowProgram w;
    if (!Check(HideWithKey(b, w), "hidden")) return;
    HWND ask = KillAndStartWithoutTheLine(b);
    if (ask) Answer(ask, nullptr);
    if (!Check(ask && Gone(ask) && b.WaitBar() && w.BothHidden(), "the record's prompt cancelled")) return;
    PostMessageW(b.Handle(), WM_SYSCOMMAND, IDM_EXTRA, 0);
    HWND extra = b.WaitWindow(L"VEXAL：热键和隐藏设置");
    if (!Check(extra != nullptr, "the hotkey and hiding dialog opens without asking")) return;
    SetDlgItemTextW(extra, IDC_EXTRA_NEW_PASSWORD, L"another");
    SetDlgItemTextW(extra, IDC_EXTRA_NEW_PASSWORD_AGAIN, L"another");
    Click(extra, IDOK);
    if (!Check(Gone(extra), "another password is set")) return;
    PostMessageW(b.Handle(), WM_COMMAND, IDCANCEL, 0);
    ask = b.WaitWindow(kPasswordCaption, 5000);
    for (int i = 0; ask && i < 3 && IsWindow(ask); ++i) {  // answered once it takes keys
        Answer(ask, L"another");
        WaitFor([&] { return !IsWindow(ask); }, 3000);
    }
    Check(ask && b.WaitExit(20000) && !WaitFor([&] { return !w.BothHidden(); }, 1000),
          "ended with the new one, the windows stay hidden (watched 1 s)",
          std::string(ask ? "asked" : "no dialog") + (ask && IsWindow(ask) ? " (still open)" : "") +
              (b.Running() ? ", runs" : ", ended") + (w.BothHidden() ? ", hidden" : ", back"));
}
