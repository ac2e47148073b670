// What the kernel's tests share: a kernel whose plug-ins are the test modules, page texts
// built from lines, and the test object kind's own accessors.
#pragma once

#include "kernel.h"
#include "objet.h"

#include <string>
#include <vector>

// The folder of the test plug-ins (bin\kernplugins\), ending in a backslash.
std::string TestPluginFolder();

// A kernel as a host would hold it, its plug-ins looked for in `appFolder`.
class TestKernel {
public:
    explicit TestKernel(const std::string& appFolder = TestPluginFolder(), int mode = QX_MODE_PRESENTATION);
    ~TestKernel();
    TestKernel(const TestKernel&) = delete;
    TestKernel& operator=(const TestKernel&) = delete;

    KERNEL* operator->() const { return kernel_; }
    operator KERNEL*() const { return kernel_; }
    // The root of the page shown.
    OBJET* Page() const { return KernGetTopObjet(kernel_); }
    // Makes the page the page shown, as the history would.
    void Show(const std::string& page);

private:
    KERNEL* kernel_;
};

// CRLF lines, as the system writes them.
std::string Lines(const std::vector<std::string>& lines);
// The record separator: 73 '-'.
std::string Separator();
// The common block of an object record (after the module line and the child count), with
// no hover message, no fonts and no branches.
std::vector<std::string> PlainCommonBlock(const std::string& userID = "NULL");
// A whole record of the test object kind.
std::vector<std::string> TestObjRecord(const std::string& label, int children, int isRoot = 0,
                                       const std::string& userID = "NULL");
// A page file: header, version line, the records, the final separator.
std::string PageText(const std::vector<std::vector<std::string>>& records, const std::string& version = "4.0.0.5");

// The test object kind's label, and the coordinate flag it was handed.
std::string TestObjLabel(OBJET* object);
int TestObjUnitsSeen(OBJET* object);

// Texts shown in the string form, CR and LF made visible, for failure messages.
std::string Visible(const std::string& text);
