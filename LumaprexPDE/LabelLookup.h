// The dialog's label lookup: every text the user sees is a decimal label id
// looked up in the extension bundle's default strings table, "Labels" when
// the table lacks it, then stripped by the rule of the pane that shows it
// (most panes drop every ":" but from a few labels).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Bundle.h"

// What a pane removes from its labels: the labels of the listed ids lose
// their own text (or nothing), every other label loses `removed` (or
// nothing, when it is "").
struct LabelRule {
    struct Exception {
        int first;
        int last;
        std::string_view removed;
    };
    std::vector<Exception> exceptions;
    std::string_view removed;
};

// The rules of the panes.
extern const LabelRule kMainPaneLabels;        // LumaprexPDE
extern const LabelRule kJobSetupLabels;        // jobSetupController
extern const LabelRule kNotificationLabels;    // notificationController
extern const LabelRule kPageSetLabels;         // pageSetController
extern const LabelRule kPageExceptionLabels;   // peController
extern const LabelRule kTemplateLabels;        // templateController
extern const LabelRule kUnstrippedLabels;      // finishing, image and custom-command panes

// The label's text as the pane shows it; "" without a bundle.
std::string getNSStringWithID(const platform::Bundle& bundle, int id, const LabelRule& rule);

// Every occurrence of the part removed from the text.
std::string RemoveAll(std::string text, std::string_view part);
