#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class XmlNode;
using XmlNodeList = std::vector<std::unique_ptr<XmlNode>>;

// One attribute of an element; repeated names stay separate entries.
struct XmlAttribute {
    std::string name;
    std::string value;
};
using XmlAttributeList = std::vector<XmlAttribute>;

// A node of the tree the reader builds: an element or a comment.
class XmlNode {
public:
    virtual ~XmlNode() = default;

    // The tag name of an element, "!" for a comment.
    [[nodiscard]] const std::string& name() const { return name_; }
    // An element's character data, a comment's body.
    [[nodiscard]] const std::string& text() const { return text_; }
    // Takes the character data away, for a reader that keeps it elsewhere.
    [[nodiscard]] std::string takeText() { return std::move(text_); }
    // Whether the node is a text node; the reader makes none.
    [[nodiscard]] virtual bool isText() const { return false; }
    // Takes `child` as the last child; false (dropping it) when this node has no children.
    virtual bool addChild(std::unique_ptr<XmlNode> child) = 0;
    // The children in document order, or nullptr when there are none.
    [[nodiscard]] virtual const XmlNodeList* children() const = 0;
    // The attributes in document order, or nullptr when there are none.
    [[nodiscard]] virtual const XmlAttributeList* attributes() const = 0;

protected:
    explicit XmlNode(std::string name, std::string text = {})
        : name_(std::move(name)), text_(std::move(text)) {}
    std::string name_;
    std::string text_;
};

// An element: its attributes, its children and all of its own character data.
class XmlElement : public XmlNode {
public:
    explicit XmlElement(std::string name) : XmlNode(std::move(name)) {}

    bool addChild(std::unique_ptr<XmlNode> child) override;
    [[nodiscard]] const XmlNodeList* children() const override;
    [[nodiscard]] const XmlAttributeList* attributes() const override;

    // Appends an attribute after the ones already there.
    void addAttribute(std::string_view name, std::string_view value);
    // Appends character data to the element's text.
    void appendText(std::string_view text) { text_ += text; }
    // The value of the last attribute with this name, or nullptr.
    [[nodiscard]] const std::string* attribute(std::string_view name) const;

private:
    XmlNodeList children_;
    XmlAttributeList attributes_;
};

// A comment; a leaf that takes no children.
class XmlComment : public XmlNode {
public:
    explicit XmlComment(std::string body) : XmlNode("!", std::move(body)) {}

    bool addChild(std::unique_ptr<XmlNode>) override { return false; }
    [[nodiscard]] const XmlNodeList* children() const override { return nullptr; }
    [[nodiscard]] const XmlAttributeList* attributes() const override { return nullptr; }
};
