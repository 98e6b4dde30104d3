// History and files: new structures of each kind, emptying, undo, opening
// and saving structures and operation lists, and the demonstration builders.
#include "vPpal.h"

void TVentPpal::ActNuevo1Execute() {}
void TVentPpal::ActNuevo2Execute() {}
void TVentPpal::ActNuevo3Execute() {}
void TVentPpal::ActNuevo4Execute() {}
void TVentPpal::ActNuevo5Execute() {}
void TVentPpal::ActAbrirExecute() {}
void TVentPpal::ActGuardarExecute() {}
void TVentPpal::ActDeshacerExecute() {}
void TVentPpal::ActLimpiarExecute() {}
void TVentPpal::ActGuardarOperExecute() {}
void TVentPpal::ToolButton17Click() {}
void TVentPpal::ToolButton20Click() {}
void TVentPpal::ToolButton21Click() {}
