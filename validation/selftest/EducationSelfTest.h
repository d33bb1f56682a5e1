#pragma once

#include <QString>

class MainWindow;

namespace Fasoria {

/// Drives the learning features of `window` unattended, through the operations a user triggers (its
/// buttons, actions and the learning lab's controls, found by object name), checks every outcome against
/// fixed expectations and writes "education_tests.txt", the sample session and worksheet and screenshots
/// into `reportDirectory` (created with its parents). The window is shown only off-screen. The run stops at
/// the first failing check; the log is written all the same. True when every check passed; false also when
/// the report directory cannot be created or the log cannot be written, which is then said on standard
/// error.
///
/// The environment variable FASORIA_SELF_TEST_FAIL_CHECK=N makes the N-th check (1-based) fail, so that a
/// test can watch a failing run end as a real failure would.
bool runEducationSelfTest(MainWindow &window, const QString &reportDirectory);

} // namespace Fasoria
