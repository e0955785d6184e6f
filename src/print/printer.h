#pragma once

#include "print/document.h"

#include <ostream>
#include <vector>

namespace roomwright {

// Where finished documents go: the system printer, a stream, or a test's capture.
class Printer {
  public:
    virtual ~Printer() = default;
    // Sends one finished document.
    virtual void print(const Document& document) = 0;
};

// Writes each document's plain text to a stream (the command-line tool's standard output).
class StreamPrinter : public Printer {
  public:
    explicit StreamPrinter(std::ostream& out) : out_(out) {}
    void print(const Document& document) override { out_ << plainText(document); }

  private:
    std::ostream& out_;
};

// Keeps every document it is sent.
class CapturingPrinter : public Printer {
  public:
    void print(const Document& document) override { documents.push_back(document); }
    std::vector<Document> documents;
};

} // namespace roomwright
