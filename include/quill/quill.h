#pragma once

// Quill's embedding API: load a form design once, make a page from it per
// request, set values by name and render the HTML.
//
//   quill::Design design = quill::Design::FromFile("card.form.json");
//   quill::Page page = design.NewPage();
//   page.Set("QuillLabel1.Caption", "Hello");
//   std::string html = page.Render();
//
// Every expected failure raises quill::Exception with a message that says
// what went wrong and where.

#include "quill/Design.h"
#include "quill/Exception.h"
#include "quill/Page.h"
