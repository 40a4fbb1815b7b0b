#include "docfile/XmlNode.h"

bool XmlElement::addChild(std::unique_ptr<XmlNode> child) {
    children_.push_back(std::move(child));
    return true;
}

const XmlNodeList* XmlElement::children() const {
    return children_.empty() ? nullptr : &children_;
}

const XmlAttributeList* XmlElement::attributes() const {
    return attributes_.empty() ? nullptr : &attributes_;
}

void XmlElement::addAttribute(std::string_view name, std::string_view value) {
    attributes_.push_back({std::string(name), std::string(value)});
}

const std::string* XmlElement::attribute(std::string_view name) const {
    for (auto it = attributes_.rbegin(); it != attributes_.rend(); ++it) {
        if (it->name == name) return &it->value;
    }
    return nullptr;
}
