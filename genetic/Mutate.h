#pragma once

#include "engine/RandomSource.h"

#include <QString>

// A copy of word with Mutations random letter changes: a vowel always becomes
// a (lower-case) vowel, a consonant a consonant; other characters never
// change. The same position may be drawn again, and a replacement may equal
// the letter it replaces. An empty word comes back empty.
QString Mutate(const QString &word, int Mutations, RandomSource &random);

// Whether Mutate, given at least one mutation, can ever give a word that
// differs from word (case ignored): it needs one letter of the two classes.
bool canMutate(const QString &word);
