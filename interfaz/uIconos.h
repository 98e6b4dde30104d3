#pragma once
// The program's icons, drawn in code: the tool bar's set of 27 pictures,
// addressed by index, and the application icon. They are vector drawings
// painted at the size and pixel ratio asked for, so they stay sharp on any
// screen; the disabled mode gives a greyed, faded version.
//
// Tool bar indexes in use: 1 clear the tree, 3 open, 4 presentation options,
// 5 save, 7 search, 8 new tree, 9 delete an element, 10 Fibonacci AVL tree,
// 11 insert, 12 mouse-click mode, 14 run the operation, 15 animate node
// motion, 16 stages with description, 17 random range, 18 undo, 20 stages
// with pauses, 21 animation options, 22 save the operation list, 24 unordered
// heap, 25 build the heap, 26 export the stages. The rest (0 tree, 2 node, 6 next step, 13
// rotation, 19 red-black tree, 23 operation list) complete the set.

#include <QIcon>

inline constexpr int NumIconosHerramienta = 27;

// The tool bar picture of that index (0 to NumIconosHerramienta - 1); any
// other index gives a null icon.
QIcon IconoHerramienta(int indice);

// The application icon: a small tree of coloured nodes on a rounded tile.
QIcon IconoPrograma();
