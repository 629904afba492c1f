#pragma once
// Toolkit-internal: the print client library (CUPS), held on a short leash.
//
// Qt's print support asks the print system from whatever thread it runs on,
// the window's included: listing printers, reading a printer's paper sizes,
// sending the job. The client library waits a minute for each answer and then
// tries again, so a print server that takes a connection and falls silent
// would freeze the window for many minutes. Every connection the library
// makes is therefore given a wait of a few hundredths of a second, after which
// it asks us whether to go on waiting:
// on the window's thread its events run in that pause, so the window
// repaints, follows a drag and quits. A server that has said nothing for
// kSilenceSeconds, or has not taken a connection for as long, makes the
// print system silent.
// Once the print system is silent, or the program quits, every wait ends and
// every connection fails at once: nothing asks the print system again.
#include <ctime>
#include <string>

// No word from the print server for this long, and it counts as silent.
inline constexpr int kSilenceSeconds = 5;

// The print system did not answer: from now on it is not asked again.
void MarkPrintSystemSilent();
bool PrintSystemSilent();

// The program is ending: every wait on the print system ends now.
void AbandonPrintSystem();
// Silent, or the program is ending.
bool PrintSystemAbandoned();

// A new run in the same process (tests): neither silent nor abandoned.
void ResetPrintClientForTesting();

// After a page was handed to the print system from this thread (a printer
// page's end): whether it took the job, and if not, why. Qt does not say.
bool PrintSystemTookTheJob(std::string& reason);

// The paper the print dialogs start from: the print system's own default
// unless a page setup was confirmed, whose paper (a size name such as "A5")
// then stands in as the printers' default. Empty: the printers' own.
void SetPreferredPaper(const char* name);
