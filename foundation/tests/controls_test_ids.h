// Identifiers of the test dialog that names the library's controls by class.
#pragma once

#define QXCONTROLS_TEST_DIALOG "QXCONTROLSTEST"
#define IDC_TEST_SAVE 601
#define IDC_TEST_FOLDER 602
#define IDC_TEST_FILENAME 603
