// The JSON the page's script reads: objects of named members, nothing nested
// deeper than the page needs, written straight into a string.
#pragma once

#include "platform/number_text.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace shoutotsu {

class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void open() {
        out_ += '{';
        first_ = true;
    }
    void close() { out_ += '}'; }

    void member(const char* name, const std::string& text) {
        key(name);
        quote(text);
    }
    void member(const char* name, const char* text) { member(name, std::string(text)); }
    void member(const char* name, bool value) {
        key(name);
        out_ += value ? "true" : "false";
    }
    void member(const char* name, int value) {
        key(name);
        out_ += std::to_string(value);
    }
    // Twips as the model holds them: the shortest text that reads back to
    // the same float, so the page computes from exactly the model's value.
    void member(const char* name, float value) {
        key(name);
        out_ += std::isfinite(value) ? shortestText(value) : "null";
    }
    void members(const char* name, const std::vector<int>& values) {
        key(name);
        out_ += '[';
        for (size_t i = 0; i < values.size(); ++i) {
            if (i > 0) {
                out_ += ',';
            }
            out_ += std::to_string(values[i]);
        }
        out_ += ']';
    }
    void members(const char* name, const std::vector<std::string>& texts) {
        key(name);
        out_ += '[';
        for (size_t i = 0; i < texts.size(); ++i) {
            if (i > 0) {
                out_ += ',';
            }
            quote(texts[i]);
        }
        out_ += ']';
    }

  private:
    void key(const char* name) {
        if (!first_) {
            out_ += ',';
        }
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":";
    }
    void quote(const std::string& text) {
        out_ += '"';
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                out_ += escaped;
            } else {
                out_ += c; // UTF-8 passes through whole
            }
        }
        out_ += '"';
    }

    std::string& out_;
    bool first_ = true;
};

} // namespace shoutotsu
