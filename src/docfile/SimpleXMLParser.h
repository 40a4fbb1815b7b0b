#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "docfile/XmlNode.h"

// Turns the bytes of an XML text into a tree of elements, attributes, text and comments.
class SimpleXMLParser {
public:
    // Where the text stopped making sense.
    class Exception : public std::exception {
    public:
        Exception(int32_t line, int32_t column);
        [[nodiscard]] const char* what() const noexcept override { return message_.c_str(); }
        int32_t line;
        int32_t column;

    private:
        std::string message_;
    };

    // The root element of `length` bytes at `bytes`; throws Exception on any error.
    [[nodiscard]] std::unique_ptr<XmlElement> parse(const char* bytes, size_t length);

    // The version the declaration named, "1.0" when there was none.
    [[nodiscard]] const std::string& version() const { return version_; }

private:
    std::string version_ = "1.0";
};
