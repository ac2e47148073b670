// The control words the RTF reader knows, in eight tables searched in order. Each table lists
// its words alphabetically: a search stops at the first entry whose first letter passes the
// word's, and a word must match a whole entry.
#pragma once

#include <string_view>

enum class RtfTable {
    None,       // a word found in no table
    Special,    // special characters
    Skipped,    // destinations skipped with their whole group
    Document,   // document, font, colour and picture words
    Page,       // page size and margins
    Paragraph,  // paragraph formats and tab stops
    Character,  // character styles
    Table,      // simple tables
    Info,       // document information, skipped with its group
};

// Every word of the tables; a table's words follow in its own order.
enum class RtfWord {
    Unknown,
    // Special characters. "emdash", "endash", "u" and "uc" are read for writers that carry
    // non-ASCII text as Unicode escapes and dashes as words.
    Bullet, Emdash, Endash, Ldblquote, Line, Lquote, Page, Par, Rdblquote, Rquote, Sect, Tab, U, Uc,
    // Skipped destinations.
    Comment, Footer, Footerf, Footerl, Footerr, Footnote, Ftncn, Ftnsep, Ftnsepc, Header, Headerf,
    Headerl, Headerr,
    // Document.
    Ansi, Bin, Colortbl, Deff, Fonttbl, Mac, Macpict, Objdata, Object, Objh, Objw, Pich, Pichgoal,
    Picscalex, Picscaley, Pict, Picw, Picwgoal, Result, Rtf, Stylesheet, Trowd, Wmetafile,
    // Page.
    Margb, Margl, Margr, Margt, Paperh, Paperw,
    // Paragraph.
    Fi, Keepn, Li, Pagebb, Pard, Qc, Qj, Ql, Qr, Ri, Sa, Sb, Sl, Tldot, Tlhyph, Tqc, Tqdec, Tqr, Tx,
    // Character.
    B, Blue, Caps, Cchs, Cf, Dn, Expnd, F, Fcharset, Fs, Green, I, Outl, Plain, Red, S, Scaps, Shad,
    Strike, Super, Ul, Uld, Uldb, Ulw, Up, V,
    // Tables.
    Cell, Cellx, Clbrdrb, Clbrdrl, Clbrdrr, Clbrdrt, Clmgf, Clmrg, Row, Trbrdrb, Trbrdrh, Trbrdrl,
    Trbrdrr, Trbrdrt, Trbrdrv, Trgaph, Trhdr, Trkeep, Trleft, Trqc, Trql, Trqr, Trrh,
    // Document information.
    Author, Buptim, Creatim, Doccomm, Dy, Edmins, Hr, Id, Keywords, Min, Mo, Nextfile, Noofchars,
    Nofpages, Nofwords, Operator, Printtim, Revtim, Sec, Subject, Title, Verno, Version, Yr,
};

struct RtfKeyword {
    RtfTable table;
    RtfWord word;
};

RtfKeyword RtfFindKeyword(std::string_view word);
// The word's spelling, for writers of the same vocabulary.
std::string_view RtfWordName(RtfWord word);
