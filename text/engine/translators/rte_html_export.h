// A text object's document written as HTML: into a file with an "<html>"/"<body>" frame, or
// as the string of the DHTML page export, where every run that carries a branch becomes an
// anchor that calls the page script's QXTextBranch with the object's id and the branch number.
// Formatting is written as font tags, "<B>", "<I>", "<U>", "<S>", "<SUB>", "<SUP>" and DIV
// alignment, each run in its own nest of tags relative to the text's base style.
#pragma once

#include <string>
#include <vector>

#include "rte_translator.h"

class OBJET;

class QXHTMLExportFilter : public RteExportFilter {
public:
    // The text plug-in passes (frame on, anchors off, script string off) for an HTML file and
    // (frame off, anchors on, script string on) for the DHTML export.
    QXHTMLExportFilter(OBJET* object, bool frame, bool anchors, bool scriptString);

    int16_t BeginExport() override;
    int32_t WriteChunk() override;
    int16_t EndExport() override;
    // The slots an RTF exporter fills; HTML writes no header extras and no embedded objects.
    virtual int16_t WriteHeaderExtra();
    virtual int16_t WriteHeaderExtra2();
    virtual int16_t WriteObject();
    virtual int16_t WriteRunExtra();

private:
    struct Entry {
        RteCharStyle style;
        RteFont font;
        std::string closing;
    };

    // The id the anchors name: the user id, or the temporary one when it is empty, escaped for
    // the script string of the onclick value, for the tag and, in a script, for that string.
    std::string ObjectId() const;
    // HTML as it is written: escaped for the script string in script-string mode.
    std::string Scripted(const std::string& html) const;
    std::string Quoted(const char* text) const;
    void OpenEntry(const RteCharStyle& style, const RteCharStyle& reference);
    void CloseTo(size_t depth);
    void Align(const RteParFormat& format);
    void CloseDiv();
    void PutText(const char* text) { PutString(text); }
    void WriteText();

    OBJET* object_;
    bool frame_;
    bool anchors_;
    bool scriptString_;
    std::vector<Entry> stack_;
    std::vector<RteFont> fonts_;
    RteCharStyle baseStyle_ = {};
    RteParFormat baseFormat_ = {};
    RteFont baseFont_ = {};
    size_t baseDepth_ = 0;
    int32_t openDivs_ = 0;
    bool wholeAnchor_ = false;
};
