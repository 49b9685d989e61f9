// The dictionary file (.lgf): writing it, and reading it whole, languages
// only, or by chosen columns.
#include <algorithm>
#include <istream>
#include <ostream>

#include "dictionary/code_page.h"
#include "dictionary/file_names.h"
#include "dictionary/image_record.h"
#include "dictionary/item_session.h"
#include "dictionary/lang_exception.h"
#include "dictionary/line_breaks.h"
#include "dictionary/safe_file.h"
#include "dictionary/value_stream.h"

namespace vantelo {

namespace {

constexpr std::string_view Signature = "VLstream";
constexpr std::string_view Pilcrows = "\xB6\xB6";

std::string readAll(std::istream& stream) {
    std::string bytes;
    char buffer[65536];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0)
        bytes.append(buffer, size_t(stream.gcount()));
    return bytes;
}

std::string storedText(std::string_view stored) {
    return stored.find(Pilcrows) == std::string_view::npos ? std::string(stored) : UnescapeLineBreaks(stored);
}

} // namespace

// ---- writing -------------------------------------------------------------

std::string TItemSession::SaveToBytes(bool unicode) const {
    std::string out;
    size_t estimate = 64 + lines_.size() * (2 + 3 * size_t(ColumnCount()));
    for (const auto& texts : textLists_)
        estimate += size_t(texts->Count()) * 24;
    out.reserve(estimate);
    ValueWriter w(out);
    auto string = [&](std::string_view s) {
        if (unicode)
            w.WriteWideString(CodePage::ToUtf16(s));
        else
            w.WriteString(s);
    };

    string(Signature);
    w.WriteListBegin();
    for (const auto& l : languages_) {
        string(l->Name);
        string(l->Title);
        string(l->ExportStr);
        w.WriteInteger(l->Index);
        w.WriteBoolean(l->Shown);
        w.WriteBoolean(l->IsRemark);
        w.WriteInteger(l->ColumnWidth);
        w.WriteBoolean(l->ReadOnly);
    }
    w.WriteListEnd();

    w.WriteListBegin();
    for (const auto& line : lines_) {
        w.WriteListBegin();
        for (int c = 0; c < ColumnCount(); ++c)
            w.WriteInteger(line->GetPositionAt(c));
        w.WriteListEnd();
    }
    w.WriteListEnd();

    for (const auto& texts : textLists_) {
        w.WriteListBegin();
        for (int p = 0; p < texts->Count(); ++p) {
            const std::string& text = texts->TextAt(p);
            if (unicode)
                string(text);
            else if (text.find_first_of("\r\n") == std::string::npos)
                w.WriteString(text);
            else
                w.WriteString(EscapeLineBreaks(text));
        }
        w.WriteListEnd();
    }

    w.WriteListBegin();
    for (const auto& l : languages_) {
        if (l->IsRemark) {
            string("N");
        } else {
            string("Y");
            WriteImageRecord(w, l->Image);
        }
    }
    w.WriteListEnd();
    return out;
}

namespace {
void writeStream(std::ostream& stream, const std::string& bytes) {
    if (!stream.write(bytes.data(), std::streamsize(bytes.size())) || !stream.flush())
        throw ELangException::Format(messages::CannotWriteFile, "(stream)");
}
} // namespace

void TItemSession::SaveToStream(std::ostream& stream) const { writeStream(stream, SaveToBytes(false)); }

void TItemSession::SaveToStreamUnicode(std::ostream& stream) const { writeStream(stream, SaveToBytes(true)); }

void TItemSession::SaveToFile(const std::string& fileName) {
    WriteFileSafely(fileName, SaveToBytes(false));
    Modified = false;
}

void TItemSession::SaveToFileUnicode(const std::string& fileName) {
    // The Unicode variant is an export that no reader takes back, so the
    // dictionary's own changes still wait to be saved: Modified stays.
    WriteFileSafely(fileName, SaveToBytes(true));
}

// ---- reading -------------------------------------------------------------

bool TItemSession::readStream(std::string_view bytes, Selection selection, std::span<const int> indexes,
                              std::span<const std::string> names) {
    Clear();
    ValueReader r(bytes);
    if (r.ReadString() != Signature)
        throw ELangException::Format(messages::NotVanteloDictionary, "");

    // Columns. fileToColumn maps a column's place in the file to its place
    // in this dictionary, -1 for a column not taken.
    std::vector<int> wanted(indexes.begin(), indexes.end());
    std::sort(wanted.begin(), wanted.end());
    size_t nextWanted = 0;
    std::vector<int> fileToColumn;
    r.ReadListBegin();
    while (!r.EndOfList()) {
        auto l = std::make_unique<TLanguage>();
        l->Name = r.ReadString();
        l->Title = r.ReadString();
        l->ExportStr = r.ReadString();
        l->Index = r.ReadInteger();
        l->Shown = r.ReadBoolean();
        l->IsRemark = r.ReadBoolean();
        l->ColumnWidth = r.ReadInteger();
        l->ReadOnly = r.ReadBoolean();
        const int fileIndex = int(fileToColumn.size());
        bool keep = true;
        if (selection == Selection::Languages) {
            keep = !l->IsRemark;
        } else if (selection == Selection::ByIndexes) {
            keep = nextWanted < wanted.size() && wanted[nextWanted] == fileIndex;
            nextWanted += keep;
        }
        if (!keep) {
            fileToColumn.push_back(-1);
            continue;
        }
        // Two columns of one name cannot both be registered, and dropping
        // one would shift every later column's texts into the wrong place.
        if (languages_.Exists(l->Name))
            throw EValueReadError("two columns of one name");
        AddLanguage(std::move(l));
        fileToColumn.push_back(ColumnCount() - 1);
    }
    r.ReadListEnd();
    const int fileColumns = int(fileToColumn.size());

    if (selection == Selection::ByNames) {
        std::vector<char> kept(size_t(ColumnCount()), 0);
        for (const auto& name : names)
            for (int c = 0; c < ColumnCount(); ++c)
                if (languages_[c].Name == name) {
                    kept[size_t(c)] = 1;
                    break;
                }
        for (int c = ColumnCount() - 1; c >= 0; --c)
            if (!kept[size_t(c)])
                DeleteLanguage(languages_[c]);
        int next = 0;
        for (int f = 0; f < fileColumns; ++f)
            fileToColumn[size_t(f)] = kept[size_t(f)] ? next++ : -1;
    }
    const int columns = ColumnCount();

    // Lines: their positions are checked once the text lists are known.
    std::vector<int32_t> positions;
    size_t lineCount = 0;
    r.ReadListBegin();
    while (!r.EndOfList()) {
        r.ReadListBegin();
        const size_t base = positions.size();
        positions.resize(base + size_t(columns), -1);
        for (int j = 0; !r.EndOfList(); ++j) {
            const int32_t p = r.ReadInteger();
            if (j < fileColumns && fileToColumn[size_t(j)] >= 0) {
                if (p < -1)
                    throw EValueReadError("negative position");
                positions[base + size_t(fileToColumn[size_t(j)])] = p;
            }
        }
        r.ReadListEnd();
        ++lineCount;
    }
    r.ReadListEnd();

    // Text lists, in stored order.
    int lastKept = -1;
    for (int f = 0; f < fileColumns; ++f)
        if (fileToColumn[size_t(f)] >= 0)
            lastKept = f;
    for (int f = 0; f < fileColumns; ++f) {
        if (selection == Selection::Languages && f > lastKept)
            break; // the rest is not needed at run time
        const int column = fileToColumn[size_t(f)];
        r.ReadListBegin();
        while (!r.EndOfList()) {
            const std::string_view stored = r.ReadString();
            if (column >= 0)
                list(column).AppendStored(storedText(stored));
        }
        r.ReadListEnd();
    }

    // Link lines and texts; every entry may belong to one line only.
    lines_.reserve(lineCount);
    for (size_t i = 0; i < lineCount; ++i) {
        auto line = std::make_unique<TLanguageItem>(this);
        line->AppendEmpty(columns);
        for (int c = 0; c < columns; ++c) {
            const int32_t p = positions[i * size_t(columns) + size_t(c)];
            if (p < 0)
                continue;
            auto& texts = list(c);
            if (p >= texts.Count())
                throw EValueReadError("position outside its text list");
            const auto h = texts.HandleAt(p);
            if (texts.OwnerOf(h) != nullptr)
                throw EValueReadError("two lines claim one text");
            texts.SetOwner(h, line.get());
            line->cells_[size_t(c)] = h;
        }
        lines_.push_back(std::move(line));
    }

    // Texts no line owns cannot be seen or edited; lists that another tool
    // wrote out of byte order would mislead every search. Mend both.
    bool repaired = false;
    for (int c = 0; c < columns; ++c) {
        auto& texts = list(c);
        // Sorted first: removing an entry finds it by its place in the order.
        const bool sorted = texts.IsInByteOrder();
        if (!sorted)
            texts.SortStored();
        std::vector<TOneLangList::Handle> orphans;
        for (int p = 0; p < texts.Count(); ++p)
            if (texts.ObjectAt(p) == nullptr)
                orphans.push_back(texts.HandleAt(p));
        for (const auto h : orphans)
            texts.Remove(h);
        repaired = repaired || !orphans.empty() || !sorted;
    }

    if (selection == Selection::All) {
        // Flags are a nicety: a damaged picture list keeps what was read.
        try {
            r.ReadListBegin();
            for (int c = 0; c < columns; ++c)
                if (r.ReadString() == "Y")
                    ReadImageRecord(r, languages_[c].Image);
            r.ReadListEnd();
        } catch (const EValueReadError&) {
        }
    }
    return repaired;
}

void TItemSession::loadBytes(std::string_view bytes, Selection selection, std::span<const int> indexes,
                             std::span<const std::string> names) {
    bool repaired = false;
    try {
        repaired = readStream(bytes, selection, indexes, names);
    } catch (const ELangException&) {
        ClearLines();
        throw;
    } catch (const std::exception&) {
        ClearLines();
        throw ELangException::Format(messages::NotVanteloDictionary, "");
    }
    Modified = repaired;
}

bool TItemSession::loadFile(const std::string& fileName, Selection selection, std::span<const int> indexes,
                            std::span<const std::string> names) {
    std::string resolved = fileName;
    if (!ResolveFileName(resolved))
        return false;
    Clear();
    try {
        loadBytes(ReadWholeFile(resolved), selection, indexes, names);
    } catch (const ELangException&) {
        ClearLines();
        throw ELangException::Format(messages::NotVanteloDictionary, resolved);
    }
    return true;
}

void TItemSession::LoadFromStream(std::istream& stream) { loadBytes(readAll(stream), Selection::All, {}, {}); }

void TItemSession::LoadLanguagesFromStream(std::istream& stream) {
    loadBytes(readAll(stream), Selection::Languages, {}, {});
}

void TItemSession::LoadFromStreamByIndexes(std::istream& stream, std::span<const int> indexes) {
    loadBytes(readAll(stream), Selection::ByIndexes, indexes, {});
}

void TItemSession::LoadFromStreamByNames(std::istream& stream, std::span<const std::string> names) {
    loadBytes(readAll(stream), Selection::ByNames, {}, names);
}

bool TItemSession::LoadFromFile(const std::string& fileName) {
    return loadFile(fileName, Selection::All, {}, {});
}

bool TItemSession::LoadLanguagesFromFile(const std::string& fileName) {
    return loadFile(fileName, Selection::Languages, {}, {});
}

bool TItemSession::LoadFromFileByIndexes(const std::string& fileName, std::span<const int> indexes) {
    return loadFile(fileName, Selection::ByIndexes, indexes, {});
}

bool TItemSession::LoadFromFileByNames(const std::string& fileName, std::span<const std::string> names) {
    return loadFile(fileName, Selection::ByNames, {}, names);
}

} // namespace vantelo
