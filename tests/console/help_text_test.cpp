// The help page as the terminal shows it.
#include "console/help_text.h"

#include <gtest/gtest.h>

namespace tavrix {
namespace {

using Lines = std::vector<std::string>;

TEST(HelpText, MarkupIsRemovedAndBlocksStandOnLinesOfTheirOwn) {
  struct Case {
    const char* name;
    std::string html;
    Lines lines;
  } cases[] = {
      {"head, style and script are not text",
       "<!DOCTYPE html><html><head><title>T</title><style>p{color:red}</style></head>"
       "<body><script>var a = '<p>';</script><p>Hello</p></body></html>",
       {"Hello"}},
      {"headings and paragraphs leave one empty line between them",
       "<h1>Tavrix</h1>\n\n<p>Moves a file\n   onto   floppies.</p><p>Second.</p>",
       {"Tavrix", "", "Moves a file onto floppies.", "", "Second."}},
      {"list items",
       "<ul>\n<li>Split a file</li>\n<li><b>Restore</b> a file</li></ul>",
       {"- Split a file", "- Restore a file"}},
      {"ordered lists are numbered, nested lists keep their own marks",
       "<ol><li>Choose<ul><li>a drive</li></ul></li><li>Press Ok</li></ol>",
       {"1. Choose", "", "- a drive", "", "2. Press Ok"}},
      {"table cells of a row on one line",
       "<table><tr><th>File</th><th>On</th></tr>\n<tr><td> Tx~SN </td><td>every "
       "floppy</td></tr></table>",
       {"File | On", "Tx~SN | every floppy"}},
      {"line breaks", "one<br>two<br/>three", {"one", "two", "three"}},
      {"references",
       "<p>&lt;a:&gt; &amp; &quot;c:&quot; &#65;&#x42; caf&eacute; &copy;</p>",
       {"<a:> & \"c:\" AB caf&eacute; \u00A9"}},
      {"comments", "<p>a<!-- <p>hidden</p> -->b</p>", {"ab"}},
      {"pre keeps its lines",
       "<pre>tavrix --console\n  a:\n</pre><p>x</p>",
       {"tavrix --console", "  a:", "", "x"}},
      {"upper-case tags",
       "<HTML><HEAD><TITLE>x</TITLE></HEAD><BODY><P>Text</P></BODY></HTML>",
       {"Text"}},
      {"a tag cut off at the end", "<p>Text</p><p", {"Text"}},
      {"plain text is kept line by line",
       "Tavrix help\r\n\r\n  Split a file\n",
       {"Tavrix help", "", "  Split a file"}},
      {"empty", "", {}},
  };
  for (const auto& k : cases) EXPECT_EQ(HelpTextLines(k.html), k.lines) << k.name;
}

}  // namespace
}  // namespace tavrix
