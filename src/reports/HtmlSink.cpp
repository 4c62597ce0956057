#include "reports/HtmlSink.h"

#include <cstdio>

#include "config/Cp1252.h"

namespace trelvane {

namespace {

std::string CssColor(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

// A filled round bullet is what the symbol font shows for "l".
bool IsSymbolFont(std::string_view font) {
    return font == "Wingdings";
}

}  // namespace

std::string HtmlEscape(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 8);
    for (char ch : Cp1252ToUtf8(cp1252)) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default: {
                auto c = static_cast<unsigned char>(ch);
                // Control characters have no place in an HTML text.
                if (c < 0x20 && c != '\t' && c != '\n')
                    out += "\xEF\xBF\xBD";
                else
                    out += ch;
            }
        }
    }
    return out;
}

void HtmlSink::Clear() {
    look_ = Look{};
    paragraphs_.assign(1, Paragraph{});
    text_.clear();
}

void HtmlSink::Append(std::string_view piece) {
    if (piece.empty()) return;
    auto& spans = paragraphs_.back().spans;
    if (!spans.empty()) {
        const Look& l = spans.back().look;
        if (l.color == look_.color && l.bold == look_.bold && l.font == look_.font &&
            l.size == look_.size) {
            spans.back().text += piece;
            return;
        }
    }
    spans.push_back(Span{look_, std::string(piece)});
}

void HtmlSink::InsertText(std::string_view text) {
    text_ += text;
    for (;;) {
        auto brk = text.find("\r\n");
        if (brk == std::string_view::npos) {
            Append(text);
            return;
        }
        Append(text.substr(0, brk));
        paragraphs_.push_back(Paragraph{look_.indent, {}});
        text.remove_prefix(brk + 2);
    }
}

std::string HtmlSink::Fragment() const {
    std::string out;
    // A last paragraph left empty by a final line break is no line.
    std::size_t n = paragraphs_.size();
    if (n > 1 && paragraphs_.back().spans.empty()) --n;
    for (std::size_t p = 0; p < n; ++p) {
        const Paragraph& para = paragraphs_[p];
        out += "<div class=\"p\"";
        if (para.indent > 0) {
            out += " style=\"margin-left:";
            out += std::to_string(para.indent / 15);  // 15 twips to the CSS pixel
            out += "px\"";
        }
        out += '>';
        if (para.spans.empty()) out += "<br>";
        for (const Span& s : para.spans) {
            out += "<span style=\"color:";
            out += CssColor(s.look.color);
            if (s.look.bold) out += ";font-weight:bold";
            if (s.look.size > 0) out += ";font-size:" + std::to_string(s.look.size) + "pt";
            if (!s.look.font.empty() && !IsSymbolFont(s.look.font))
                out += ";font-family:'" + HtmlEscape(s.look.font) + "'";
            out += "\">";
            if (IsSymbolFont(s.look.font)) {
                for (char c : s.text)
                    out += c == 'l' ? std::string("\xE2\x97\x8F") : HtmlEscape({&c, 1});
            } else {
                out += HtmlEscape(s.text);
            }
            out += "</span>";
        }
        out += "</div>\n";
    }
    return out;
}

std::string HtmlPage(std::string_view title, const std::vector<HtmlSection>& sections) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    out += HtmlEscape(title);
    out +=
        "</title>\n<style>\n"
        "body{font-family:'MS Sans Serif',Arial,sans-serif;font-size:10pt;margin:1em}\n"
        "fieldset{margin:0 0 1em 0;border:1px solid #a0a0a0}\n"
        "legend{font-weight:bold}\n"
        ".pane{font-family:Arial,sans-serif;font-size:10pt;padding:4px}\n"
        ".p{white-space:pre-wrap;overflow-wrap:anywhere;min-height:1em}\n"
        "</style>\n</head>\n<body>\n<h1>";
    out += HtmlEscape(title);
    out += "</h1>\n";
    for (const HtmlSection& s : sections) {
        out += "<fieldset>\n<legend>";
        out += HtmlEscape(s.caption);
        out += "</legend>\n<div class=\"pane\" style=\"background:";
        out += CssColor(s.background);
        out += "\">\n";
        if (s.sink) out += s.sink->Fragment();
        out += "</div>\n</fieldset>\n";
    }
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace trelvane
