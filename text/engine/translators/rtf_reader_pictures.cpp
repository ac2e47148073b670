// Pictures and embedded objects in RTF: their header words, their hexadecimal or binary data,
// and the two placeholder characters that carry the object in the text.
#include <algorithm>

#include "rtf_reader.h"

namespace {

int32_t PackScale(int32_t value) { return (std::clamp(value, 0, 32767) << 16) | 100; }

}  // namespace

// Reads the hexadecimal data that starts with the byte given, up to the "}" that closes the
// group (given back). Returns false when the source ended.
bool RtfReader::ReadPictureData(RtfPicture& picture, int32_t first)
{
    const bool keep = host_.KeepsPictures();
    int32_t high = -1;
    for (int32_t c = first;; c = tokens_.Raw()) {
        if (c < 0)
            return false;
        if (c == '}') {
            tokens_.GiveBack(c);
            return true;
        }
        int32_t value = RtfHexValue(c);
        if (value < 0)
            continue;  // line breaks and anything else between the digits
        if (high < 0) {
            high = value;
        } else {
            if (keep)
                picture.data.push_back(static_cast<uint8_t>(high * 16 + value));
            high = -1;
        }
    }
}

void RtfReader::ReadPicture(bool object)
{
    RtfPicture picture;
    RtfPicture result;
    bool inResult = false;
    bool resultRead = false;
    bool echoing = object;
    if (object) {
        picture.type = RTF_PICTURE_OBJECT;
        tokens_.Echo(&picture.rtf);
    }
    RtfPicture* current = &picture;
    // Depth of groups opened inside the picture's own group.
    int32_t depth = 0;
    int32_t resultDepth = -1;
    bool done = false;
    while (!done) {
        RtfToken token = tokens_.Next();
        switch (token.kind) {
        case RtfTokenKind::End:
            exhausted_ = endChunk_ = true;
            done = true;
            break;
        case RtfTokenKind::Open:
            ++depth;
            break;
        case RtfTokenKind::Close:
            if (depth == resultDepth) {
                inResult = false;
                resultDepth = -1;
                current = &picture;
            }
            if (depth == 0)
                done = true;
            else
                --depth;
            break;
        case RtfTokenKind::Destination: {
            // Inside an object "\*\objdata" carries the data; other marked groups are skipped.
            RtfToken next = tokens_.Next();
            if (next.kind == RtfTokenKind::Word && next.keyword.word == RtfWord::Objdata)
                break;
            if (next.kind == RtfTokenKind::Close) {
                tokens_.GiveBack('}');
                break;
            }
            if (next.kind == RtfTokenKind::Open)
                SkipGroup(false);
            SkipGroup(false);
            if (depth == 0)
                done = true;  // the marked words ran to the picture's own end
            else
                --depth;
            break;
        }
        case RtfTokenKind::Text:
            if (RtfHexValue(token.byte) < 0)
                break;
            if (echoing) {
                // An object's own text is its header: it ends where its data begins.
                tokens_.Echo(nullptr);
                echoing = false;
                picture.rtf.pop_back();
            }
            if (!ReadPictureData(*current, token.byte)) {
                exhausted_ = endChunk_ = true;
                done = true;
            }
            break;
        case RtfTokenKind::Word: {
            const int32_t n = token.parameter;
            switch (token.keyword.word) {
            case RtfWord::Result:
                inResult = true;
                resultDepth = depth;
                break;
            case RtfWord::Pict:
                if (inResult) {
                    current = &result;
                    resultRead = true;
                }
                break;
            case RtfWord::Macpict: current->type = RTF_PICTURE_MAC; break;
            case RtfWord::Wmetafile:
                current->type = RTF_PICTURE_METAFILE;
                current->mapMode = token.hasNumber ? n : 8;
                break;
            case RtfWord::Picw:
            case RtfWord::Objw:
                current->picw = n;
                current->width = current->type == RTF_PICTURE_METAFILE || current->type == RTF_PICTURE_OBJECT
                                     ? host_.TwipsToDevice(n)
                                     : n;
                break;
            case RtfWord::Pich:
            case RtfWord::Objh:
                current->pich = n;
                current->height = current->type == RTF_PICTURE_METAFILE || current->type == RTF_PICTURE_OBJECT
                                      ? host_.TwipsToDevice(n)
                                      : n;
                break;
            case RtfWord::Picwgoal:
                current->picwgoal = n;
                if (current->type == RTF_PICTURE_METAFILE)
                    current->width = host_.TwipsToDevice(n);
                break;
            case RtfWord::Pichgoal:
                current->pichgoal = n;
                if (current->type == RTF_PICTURE_METAFILE)
                    current->height = host_.TwipsToDevice(n);
                break;
            case RtfWord::Picscalex:
                if (n != 0) {
                    current->scaleX = PackScale(n);
                    current->width = static_cast<int32_t>(int64_t{current->width} * n / 100);
                }
                break;
            case RtfWord::Picscaley:
                if (n != 0) {
                    current->scaleY = PackScale(n);
                    current->height = static_cast<int32_t>(int64_t{current->height} * n / 100);
                }
                break;
            case RtfWord::Bin:
                for (int32_t i = 0; token.hasNumber && i < n; ++i) {
                    int32_t c = tokens_.Raw();
                    if (c < 0)
                        break;
                    if (host_.KeepsPictures())
                        current->data.push_back(static_cast<uint8_t>(c));
                }
                break;
            default:
                break;
            }
            break;
        }
        }
    }
    tokens_.Echo(nullptr);
    Pop();
    if (echoing && !picture.rtf.empty())
        picture.rtf.pop_back();  // an object without data: its closing brace, which the writer puts
    // A picture of a kind not kept, or with no data, leaves nothing in the text; an object's
    // result picture becomes the object's own picture.
    auto usable = [](const RtfPicture& p) { return p.type != RTF_PICTURE_NONE && !p.data.empty(); };
    if (!usable(picture)) {
        if (resultRead && usable(result))
            InsertObject(result);
        return;
    }
    intptr_t made = InsertObject(picture);
    if (made != 0 && resultRead && usable(result))
        host_.MakeObject(result, made);
}

intptr_t RtfReader::InsertObject(RtfPicture& picture)
{
    intptr_t object = host_.MakeObject(picture, 0);
    if (object == 0)
        return 0;
    RteCharStyle style = style_;
    style.object = object;
    if (chunk_->text.empty()) {
        RteCharStyle text = style_;
        style_ = style;
        AddByte('[');
        AddByte(']');
        style_ = text;
    } else {
        objectStyle_ = style;
        pendingObject_ = "[]";
    }
    endChunk_ = true;
    return object;
}
