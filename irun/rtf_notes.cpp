// Fields, hyperlinks, bookmarks and footnotes.
#include <cctype>

#include "rtf_reader.h"

namespace irun {
namespace {

struct Hyperlink {
    std::u32string url, anchor, title;
};

// Splits a field instruction into words; quoted words keep their blanks, and inside them a
// doubled backslash stands for one.
std::vector<std::u32string> splitInstruction(const std::u32string& inst, std::vector<bool>& quoted) {
    std::vector<std::u32string> words;
    size_t i = 0;
    while (i < inst.size()) {
        char32_t c = inst[i];
        if (c == ' ' || c == '\t' || c == 0xA0) {
            ++i;
            continue;
        }
        std::u32string word;
        if (c == '"') {
            ++i;
            while (i < inst.size() && inst[i] != '"') {
                if (inst[i] == '\\' && i + 1 < inst.size() && (inst[i + 1] == '\\' || inst[i + 1] == '"')) ++i;
                word += inst[i++];
            }
            ++i;
            quoted.push_back(true);
        } else {
            while (i < inst.size() && inst[i] != ' ' && inst[i] != '\t' && inst[i] != '"') word += inst[i++];
            quoted.push_back(false);
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool parseHyperlink(const std::u32string& inst, Hyperlink& link) {
    std::vector<bool> quoted;
    std::vector<std::u32string> words = splitInstruction(inst, quoted);
    if (words.empty()) return false;
    std::string head;
    for (char32_t c : words[0]) head += c < 0x80 ? static_cast<char>(std::toupper(static_cast<int>(c))) : '?';
    if (head != "HYPERLINK") return false;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::u32string& w = words[i];
        bool isSwitch = !quoted[i] && w.size() == 2 && w[0] == '\\';
        if (!isSwitch) {
            if (link.url.empty()) link.url = w;
            continue;
        }
        char32_t s = w[1] | 0x20;
        // \l, \o and \t take an argument; \m, \n and \h do not.
        if ((s == 'l' || s == 'o' || s == 't') && i + 1 < words.size()) {
            const std::u32string& argument = words[++i];
            if (s == 'l') link.anchor = argument;
            if (s == 'o') link.title = argument;
        }
    }
    return true;
}

// Only schemes that cannot run anything become links. A reference without a scheme (a name
// relative to the page, or a "#" target) is as harmless, and writers use it for local pages.
bool isSafeTarget(const std::u32string& href) {
    if (href.empty()) return false;
    size_t end = href.find_first_of(U":/?#");
    if (end == std::u32string::npos || href[end] != ':') return true;
    std::string scheme;
    for (size_t i = 0; i < end; ++i) {
        if (href[i] >= 0x80) return false;
        scheme += static_cast<char>(std::tolower(static_cast<int>(href[i])));
    }
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto" || scheme == "file";
}

std::u32string trimmed(const std::u32string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && s[begin] <= ' ') ++begin;
    while (end > begin && s[end - 1] <= ' ') --end;
    return s.substr(begin, end - begin);
}

}  // namespace

void Reader::startFieldResult() {
    FieldState& field = fields_.back();
    field.phase = 1;
    Hyperlink link;
    if (parseHyperlink(field.inst, link)) {
        std::u32string href = trimmed(link.url);
        std::u32string anchor = trimmed(link.anchor);
        if (!anchor.empty()) href += U"#" + anchor;
        if (isSafeTarget(href)) {
            html_.attribute(href, field.href);
            html_.attribute(trimmed(link.title), field.title);
        }
    }
    field.inst.clear();
    field.inst.shrink_to_fit();
    linkDirty_ = true;
}

void Reader::refreshLink() {
    linkDirty_ = false;
    // Links do not nest in HTML: the outermost live one wins.
    for (const FieldState& field : fields_) {
        if (field.phase == 1 && !field.href.empty()) {
            inline_->setLink(field.href, field.title);
            return;
        }
    }
    static const std::string none;
    inline_->setLink(none, none);
}

void Reader::footnoteMark() {
    if (st().dest != Dest::Body || st().chr.hidden) return;
    syncInline();
    if (inNote_) {
        std::string n = std::to_string(noteCount_);
        inline_->markup("<A NAME=\"ftn" + n + "\" HREF=\"#ftnref" + n + "\">" + n + "</A>", n);
        noteBackLink_ = true;
    } else {
        std::string n = std::to_string(noteCount_ + 1);
        inline_->markup("<A NAME=\"ftnref" + n + "\" HREF=\"#ftn" + n + "\">" + n + "</A>", n);
    }
}

void Reader::beginFootnote() {
    ++noteCount_;
    inNote_ = true;
    noteBackLink_ = false;
    inline_ = &noteInline_;
    flow_ = &noteFlow_;
    formatDirty_ = styleForce_ = linkDirty_ = true;
}

void Reader::endFootnote() {
    if (noteInline_.hasContent() || !noteLabel_.empty()) {
        Dest dest = st().dest;
        st().dest = Dest::Body;
        endParagraph();
        st().dest = dest;
    }
    std::string n = std::to_string(noteCount_);
    footnotes_ += "<DIV CLASS=\"footnote\">";
    if (!noteBackLink_) footnotes_ += "<A NAME=\"ftn" + n + "\" HREF=\"#ftnref" + n + "\">" + n + "</A>\n";
    footnotes_ += noteFlow_.finish();
    footnotes_ += "</DIV>\n";
    noteLabel_.clear();
    inNote_ = false;
    inline_ = &bodyInline_;
    flow_ = &bodyFlow_;
    formatDirty_ = styleForce_ = linkDirty_ = true;
}

}  // namespace irun
