// How a text is written into a line of the job ticket: it stays on its one
// line, and between parentheses it is one PostScript string whose value is
// the text; and how the user's own commands become lines of the ticket.
// Used by the ticket writer, by the bridge for the command file and by the
// PostScript filter, which puts the job's title into the stored ticket.
#pragma once

#include <string>
#include <string_view>

// The text with every control character (below a blank, and DEL) turned into
// a blank, so that it cannot end its line or start another.
std::string BlankControlCharacters(std::string_view text);

// The inside of a PostScript string whose value is the text: control
// characters blanked, every backslash and every parenthesis without a partner
// in the text escaped with a backslash. A text without a backslash, an
// unbalanced parenthesis or a control character comes back unchanged.
std::string TicketStringText(std::string_view text);

// "(" + TicketStringText(text) + ")".
std::string TicketString(std::string_view text);

// The text's lines joined by CR LF: a CR LF, a lone CR or a lone LF ends a
// line, and empty lines are dropped, so that the lines never end with a line
// end and never hold an empty line, as the ticket's own lines.
std::string TicketLines(std::string_view text);
