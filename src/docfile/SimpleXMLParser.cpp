#include "docfile/SimpleXMLParser.h"
#include "platform/Translate.h"

#include <string_view>
#include <vector>

#include "docfile/XmlTokenizer.h"

namespace {

// Builds the tree from what the tokenizer reports.
class TreeBuilder {
public:
    void startElement(std::string_view name) {
        auto element = std::make_unique<XmlElement>(std::string(name));
        XmlElement* raw = element.get();
        if (open_.empty())
            root_ = std::move(element);
        else
            open_.back()->addChild(std::move(element));
        open_.push_back(raw);
    }
    void attribute(std::string_view name, std::string_view value) {
        open_.back()->addAttribute(name, value);
    }
    void startTagEnd() {}
    void text(std::string_view run) { open_.back()->appendText(run); }
    void comment(std::string_view body) {
        open_.back()->addChild(std::make_unique<XmlComment>(std::string(body)));
    }
    void endElement() { open_.pop_back(); }

    std::unique_ptr<XmlElement> takeRoot() { return std::move(root_); }

private:
    std::unique_ptr<XmlElement> root_;
    std::vector<XmlElement*> open_;
};

}  // namespace

SimpleXMLParser::Exception::Exception(int32_t line, int32_t column)
    : line(line),
      column(column),
      message_(fillIn(_("XML error at line %s, column %s"),
                      {std::to_string(line), std::to_string(column)})) {}

std::unique_ptr<XmlElement> SimpleXMLParser::parse(const char* bytes, size_t length) {
    const std::string_view text(bytes, length);
    XmlTokenizer tokenizer(text);
    TreeBuilder builder;
    try {
        tokenizer.run(builder);
    } catch (const XmlSyntaxError& error) {
        const TextPosition at = positionOf(text, error.offset);
        throw Exception(at.line, at.column);
    }
    version_ = tokenizer.version();
    return builder.takeRoot();
}
