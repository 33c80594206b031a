#pragma once

// The complaint (complaint.h) leaving the window: saved as an OpenDocument
// text file by the document writer, and printed from the writer's HTML of
// the same form.

#include <QString>

#include "document.h"

class QPrinter;

namespace quorvane::window {

// Where the complaint is offered to go: beside the case file, named after
// it, else 起诉状.odt in folder.
[[nodiscard]] QString complaintFileName(const QString& casePath, const QString& folder);

// Writes the form to path whole or not at all; empty, or why it failed.
[[nodiscard]] QString writeComplaint(const QString& path, const document::Document& form);

// The form on the printer as it is set up.
void printComplaint(QPrinter& printer, const document::Document& form);

}  // namespace quorvane::window
