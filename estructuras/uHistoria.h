// The workspace's memory of what the user did: the operations in the order
// performed, exactly as given (replayed into another kind, saved as a list),
// and the one level of undo (a snapshot of the structure taken before a
// command, and the history as it was before that command).
#pragma once

#include "uArbolBin.h"
#include "uListaOper.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class THistoria {
public:
    THistoria();

    std::span<const TOperacion> Operaciones() const { return Ops_; }
    std::int32_t NumOper() const { return static_cast<std::int32_t>(Ops_.size()); }

    // Appends an operation; raises EArbol ("La lista de operaciones está
    // llena!") once the list holds as many as a 32-bit count can say.
    void Anotar(TOperacion Op);
    // Empties the list, or replaces it by the given operations (an opened
    // list). Undo still gives back the history from before its command.
    void Vaciar();
    void Reemplazar(std::vector<TOperacion> Ops);

    // The stored entries of the list (see EntradaDe and Representable).
    std::vector<std::int32_t> Entradas() const;

    // Takes the undo record before a command: the structure's snapshot, its
    // kind and the history as it stands.
    void GuardarDeshacer(const TArbolBin& Arbol);
    // Reloads the structure from the snapshot and gives the history back as
    // it was before the command. Does nothing and answers false when there is
    // no snapshot or another kind wrote it. Applied twice, it gives the same.
    bool Deshacer(TArbolBin& Arbol);
    const std::vector<std::uint8_t>& FlujoDeshacer() const { return Flujo_; }

private:
    // Keeps the history before the command by value, once the list is about
    // to change other than by appending.
    void FijarAnterior();

    std::vector<TOperacion> Ops_;
    std::vector<std::uint8_t> Flujo_;
    TClaseArbol Clase_ = nullptr;
    // The history before the command: the first NumAntes_ operations while
    // the list has only grown since, or Antes_ once it was emptied or replaced.
    std::size_t NumAntes_ = 0;
    std::optional<std::vector<TOperacion>> Antes_;
};
