// Helpers of the window tests: the event loop, the data file beside the test program, and the
// answers given to modal dialogs.
#ifndef LEXANO_TESTS_GUI_GUITEST_H
#define LEXANO_TESTS_GUI_GUITEST_H

#include <functional>
#include <string>
#include <vector>

#include "tests/TestFiles.h"
#include "tools/DataFileWriter.h"

class wxTopLevelWindow;
class wxWindow;

// Runs the event loop until bDone() holds or nTimeoutMs passed; returns bDone()'s last answer.
// The default is long enough for a run under the sanitizers with every core busy.
bool WaitFor(const std::function<bool()>& bDone, int nTimeoutMs = 10000);

// Runs the event loop for nMs milliseconds.
void Pump(int nMs);

// The data file the program looks for: beside the test executable.
std::string DataFilePathBesideProgram();

// Writes content as that data file; fails the test if the writer refuses.
void WriteDataFileBesideProgram(const DataFileContent& content);
// Writes raw bytes there (a damaged file).
void WriteBytesBesideProgram(const std::string& strBytes);
void RemoveDataFileBesideProgram();
// Puts the data file built from WordNet into the build folder beside the program, as a link;
// false when it has not been built (the tests that want it are skipped) or cannot be linked.
bool LinkWordNetDataFileBesideProgram();

// Brings the window titled strTitle to the front as the window manager's Alt+Tab does: the
// window manager gives it the focus, with no click into it. (Alt+Tab itself, typed through the
// X server, races with the window manager's keyboard grab and sometimes ends nowhere.)
void ActivateByWindowManager(const std::string& strTitle);
// Shows pWindow (or raises it) and waits until it has the focus; false when it never got it.
bool ShowInFront(wxTopLevelWindow* pWindow);

// Words in order, each with one noun entry.
DataFileContent MakeDictionary(const std::vector<std::string>& words, int nWordsPerBlock = 16);

// What the modal dialog hook saw since the last ClearModalLog: one line per dialog, its title,
// and for message boxes " | " and the message.
std::vector<std::string>& ModalLog();

// The directory for screenshots, made on first use.
std::string ScreenshotDir();

// Paints pWindow and saves its screen area (with a margin) as a PNG; false when it failed.
bool SaveScreenshot(wxWindow* pWindow, const std::string& strName);

#endif
