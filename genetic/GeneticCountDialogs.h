#pragma once

class Dialogs;
class QWidget;
class SettingsStore;

// The Options menu's two count dialogs of the genetic creator. Each asks
// with an input box pre-filled with the current value, cuts an answer above
// its bound (500 siblings, 50 mutations) after a message, refuses a negative
// answer with a message, and stores any other non-zero answer. Returns the
// value stored, or 0 when nothing was stored.
int askGeneticWordCount(SettingsStore &settings, Dialogs &dialogs, QWidget *parent);
int askMutationCount(SettingsStore &settings, Dialogs &dialogs, QWidget *parent);
