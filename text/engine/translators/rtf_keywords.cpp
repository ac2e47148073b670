// The eight keyword tables of the RTF reader and their search.
#include "rtf_keywords.h"

#include <array>

namespace {

struct Entry {
    std::string_view name;
    RtfWord word;
};

using W = RtfWord;

constexpr Entry kSpecial[] = {
    {"bullet", W::Bullet}, {"emdash", W::Emdash}, {"endash", W::Endash}, {"ldblquote", W::Ldblquote},
    {"line", W::Line}, {"lquote", W::Lquote}, {"page", W::Page}, {"par", W::Par},
    {"rdblquote", W::Rdblquote}, {"rquote", W::Rquote}, {"sect", W::Sect}, {"tab", W::Tab},
    {"u", W::U}, {"uc", W::Uc},
};
constexpr Entry kSkipped[] = {
    {"comment", W::Comment}, {"footer", W::Footer}, {"footerf", W::Footerf}, {"footerl", W::Footerl},
    {"footerr", W::Footerr}, {"footnote", W::Footnote}, {"ftncn", W::Ftncn}, {"ftnsep", W::Ftnsep},
    {"ftnsepc", W::Ftnsepc}, {"header", W::Header}, {"headerf", W::Headerf}, {"headerl", W::Headerl},
    {"headerr", W::Headerr},
};
constexpr Entry kDocument[] = {
    {"ansi", W::Ansi}, {"bin", W::Bin}, {"colortbl", W::Colortbl}, {"deff", W::Deff},
    {"fonttbl", W::Fonttbl}, {"mac", W::Mac}, {"macpict", W::Macpict}, {"objdata", W::Objdata},
    {"object", W::Object}, {"objh", W::Objh}, {"objw", W::Objw}, {"pich", W::Pich},
    {"pichgoal", W::Pichgoal}, {"picscalex", W::Picscalex}, {"picscaley", W::Picscaley},
    {"pict", W::Pict}, {"picw", W::Picw}, {"picwgoal", W::Picwgoal}, {"result", W::Result},
    {"rtf", W::Rtf}, {"stylesheet", W::Stylesheet}, {"trowd", W::Trowd}, {"wmetafile", W::Wmetafile},
};
constexpr Entry kPage[] = {
    {"margb", W::Margb}, {"margl", W::Margl}, {"margr", W::Margr},
    {"margt", W::Margt}, {"paperh", W::Paperh}, {"paperw", W::Paperw},
};
constexpr Entry kParagraph[] = {
    {"fi", W::Fi}, {"keepn", W::Keepn}, {"li", W::Li}, {"pagebb", W::Pagebb}, {"pard", W::Pard},
    {"qc", W::Qc}, {"qj", W::Qj}, {"ql", W::Ql}, {"qr", W::Qr}, {"ri", W::Ri}, {"sa", W::Sa},
    {"sb", W::Sb}, {"sl", W::Sl}, {"tldot", W::Tldot}, {"tlhyph", W::Tlhyph}, {"tqc", W::Tqc},
    {"tqdec", W::Tqdec}, {"tqr", W::Tqr}, {"tx", W::Tx},
};
constexpr Entry kCharacter[] = {
    {"b", W::B}, {"blue", W::Blue}, {"caps", W::Caps}, {"cchs", W::Cchs}, {"cf", W::Cf},
    {"dn", W::Dn}, {"expnd", W::Expnd}, {"f", W::F}, {"fcharset", W::Fcharset}, {"fs", W::Fs},
    {"green", W::Green}, {"i", W::I}, {"outl", W::Outl}, {"plain", W::Plain}, {"red", W::Red},
    {"s", W::S}, {"scaps", W::Scaps}, {"shad", W::Shad}, {"strike", W::Strike}, {"super", W::Super},
    {"ul", W::Ul}, {"uld", W::Uld}, {"uldb", W::Uldb}, {"ulw", W::Ulw}, {"up", W::Up}, {"v", W::V},
};
constexpr Entry kTable[] = {
    {"cell", W::Cell}, {"cellx", W::Cellx}, {"clbrdrb", W::Clbrdrb}, {"clbrdrl", W::Clbrdrl},
    {"clbrdrr", W::Clbrdrr}, {"clbrdrt", W::Clbrdrt}, {"clmgf", W::Clmgf}, {"clmrg", W::Clmrg},
    {"row", W::Row}, {"trbrdrb", W::Trbrdrb}, {"trbrdrh", W::Trbrdrh}, {"trbrdrl", W::Trbrdrl},
    {"trbrdrr", W::Trbrdrr}, {"trbrdrt", W::Trbrdrt}, {"trbrdrv", W::Trbrdrv}, {"trgaph", W::Trgaph},
    {"trhdr", W::Trhdr}, {"trkeep", W::Trkeep}, {"trleft", W::Trleft}, {"trqc", W::Trqc},
    {"trql", W::Trql}, {"trqr", W::Trqr}, {"trrh", W::Trrh},
};
constexpr Entry kInfo[] = {
    {"author", W::Author}, {"buptim", W::Buptim}, {"creatim", W::Creatim}, {"doccomm", W::Doccomm},
    {"dy", W::Dy}, {"edmins", W::Edmins}, {"hr", W::Hr}, {"id", W::Id}, {"keywords", W::Keywords},
    {"min", W::Min}, {"mo", W::Mo}, {"nextfile", W::Nextfile}, {"noofchars", W::Noofchars},
    {"nofpages", W::Nofpages}, {"nofwords", W::Nofwords}, {"operator", W::Operator},
    {"printtim", W::Printtim}, {"revtim", W::Revtim}, {"sec", W::Sec}, {"subject", W::Subject},
    {"title", W::Title}, {"verno", W::Verno}, {"version", W::Version}, {"yr", W::Yr},
};

struct Table {
    RtfTable table;
    const Entry* begin;
    const Entry* end;
};

template <size_t N>
constexpr Table Make(RtfTable table, const Entry (&entries)[N])
{
    return {table, entries, entries + N};
}

constexpr std::array kTables = {
    Make(RtfTable::Special, kSpecial),     Make(RtfTable::Skipped, kSkipped), Make(RtfTable::Document, kDocument),
    Make(RtfTable::Page, kPage),           Make(RtfTable::Paragraph, kParagraph),
    Make(RtfTable::Character, kCharacter), Make(RtfTable::Table, kTable),     Make(RtfTable::Info, kInfo),
};

}  // namespace

RtfKeyword RtfFindKeyword(std::string_view word)
{
    if (word.empty())
        return {RtfTable::None, RtfWord::Unknown};
    for (const Table& table : kTables) {
        for (const Entry* entry = table.begin; entry != table.end && entry->name[0] <= word[0]; ++entry) {
            if (entry->name == word)
                return {table.table, entry->word};
        }
    }
    return {RtfTable::None, RtfWord::Unknown};
}

std::string_view RtfWordName(RtfWord word)
{
    for (const Table& table : kTables) {
        for (const Entry* entry = table.begin; entry != table.end; ++entry) {
            if (entry->word == word)
                return entry->name;
        }
    }
    return {};
}
