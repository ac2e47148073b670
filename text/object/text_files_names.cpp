// The temporary names under which a text object writes its file, and moving such a file into
// the publication.
#include "text_files.h"

#include "qxpath.h"

int MakeTextTempName(TEXTE*, QXSTRING* path)
{
    QXSTRING drive;
    QXSTRING dir;
    QXfnsplitStr(*path, &drive, &dir, nullptr, nullptr);
    drive += dir;
    return QXCreateTempFileNameStr(drive, "~tqx????.tqx", path, 1);
}

int MoveTextFile(const char* from, const char* to)
{
    if (!from || !from[0] || !to || !to[0])
        return 0;
    return MoveFileA(from, to) ? 1 : 0;
}
