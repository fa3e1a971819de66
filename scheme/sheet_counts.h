// How many questions, answer lists and result boxes the hero sheet has, and the command and
// report numbers built on those counts. The sub-schemes and the runner size their switches and
// loops from here.
#pragma once

namespace sheet {

// The question groups, question 1 .. question 5.
constexpr int Questions = 5;
// The answer lists of the questions: one each, two (male and female) for questions 2 and 4.
constexpr int Lists = 7;
// choice.ini holds one block per list, numbered by their end lines and wrapping after the last.
constexpr int Blocks = Lists;
// Question commands 0 .. 2 are plain commands (regular captions, back to answer 0, re-apply);
// line command FirstLineCommand + b stores a line of block b in its list.
constexpr int PlainCommands = 3;
constexpr int FirstLineCommand = PlainCommands;
constexpr int LineCommands = FirstLineCommand + Blocks;
// The result boxes: attributes, skills, weapon proficiencies, other values.
constexpr int ResultBoxes = 4;
// Report channels 0 (commit) and 1 (hover), then one highlight channel per result box.
constexpr int FirstBoxReport = 2;
constexpr int Reports = FirstBoxReport + ResultBoxes;

}  // namespace sheet
