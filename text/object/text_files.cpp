// Writing TQX files and naming them.
#include "text_files.h"

#include "qxfile.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "rte_error.h"
#include "rte_io.h"
#include "rte_object_stream.h"
#include "rte_record_stream.h"
#include "rte_edit_control.h"
#include "text_trailer.h"

int WriteTextFile(TEXTE* text, const char* path)
{
    const RteHandle doc = text ? text->ActiveDocument() : nullptr;
    if (!doc || !path || !*path)
        return 0;
    QXFILE file = QXopen(path, 1);
    if (!file)
        return 0;
    const auto reference = reinterpret_cast<intptr_t>(file);
    int32_t position = 0;
    uint16_t code = 0;
    const uint16_t raised = RteTry(RteControlContext(), [&] {
        code = RteSaveDoc(doc, &position, nullptr, 0, RteDirectFileWriter, reference, 0);
        if (!code)
            code = RteSaveObjects(doc, RteDirectFileWriter, &position, reference);
        if (!code)
            code = RteSaveDocEnd(doc, &position, RteDirectFileWriter, reference);
    });
    const bool written = !raised && !code && QXSeekFile(file, position, 0) == position && WriteTextTrailer(file, text);
    QXclose(file);
    return written ? 1 : 0;
}

void MakeTextTempName(TEXTE*, QXSTRING* path)
{
    QXSTRING drive, folder, name, extension;
    QXfnsplitStr(*path, &drive, &folder, &name, &extension);
    QXSTRING where = drive;
    where += folder;
    QXCreateTempFileNameStr(where, "~tqx????.tqx", path, 1);
}

int MoveTextFile(const char* from, const char* to)
{
    if (!from || !*from || !to || !*to)
        return 0;
    return MoveFileA(from, to) ? 1 : 0;
}
