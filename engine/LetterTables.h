#pragma once

#include <QStringView>

// The constant letter pools. A letter that stands k times in a table has
// weight k; pair tables are read as consecutive two-letter entries.
namespace LetterTables {

inline constexpr QStringView Vowels = u"aeiou";
inline constexpr QStringView Consonants = u"bcdfghjklmnpqrstvwxyz";
inline constexpr QStringView VowelPairs = u"aiauayeaeeeieoeyiaieiooaoeoiooouuaueuiyeyo";
inline constexpr QStringView ConsonantPairs = u"chshttllrrggghtswhmmnnthphssddccffbbstnd";
inline constexpr QStringView WeightedVowels = u"eeeeeeeeeeaaaaaaaoooooiiiu";
inline constexpr QStringView WeightedConsonants =
    u"zqqjjjxxxxkkkkkvvvvvvbbbbbbbyyyyyyywwwwwwwwwggggggggggpppppppppppffffffffffff"
    u"mmmmmmmmmmmmmccccccccccccccdddddddddddddddlllllllllllllllllhhhhhhhhhhhhhhhhhhh"
    u"rrrrrrrrrrrrrrrrrrrrrssssssssssssssssssssssssnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn"
    u"tttttttttttttttttttttttttttttttttttttttttttttt";
inline constexpr QStringView WeightedVowelPairs =
    u"ouououououououououououououououaiaiaiaiaiaiaiauauayayayayayeaeaeaeaeaeaeaeaeaeaea"
    u"eeeeeeeeeeeeeeeieieieieoeoeyeyeyeyiaiaiaiaieieieieieieieioioioioioioioioioioioi"
    u"ooaoaoeoeoioioooooooooouauaueueuiuiyeyeyoyoyoyo";

static_assert(Vowels.size() == 5 && Consonants.size() == 21);
static_assert(VowelPairs.size() == 42 && ConsonantPairs.size() == 40);
static_assert(WeightedVowels.size() == 26 && WeightedConsonants.size() == 277);
static_assert(WeightedVowelPairs.size() == 206);

// Class tests ignore case and know only the 26 letters a-z.
inline bool isVowel(char16_t c)
{
    switch (c) {
    case u'a': case u'e': case u'i': case u'o': case u'u':
    case u'A': case u'E': case u'I': case u'O': case u'U':
        return true;
    default:
        return false;
    }
}

inline bool isConsonant(char16_t c)
{
    c = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
    return c >= u'a' && c <= u'z' && !isVowel(c);
}

} // namespace LetterTables
