#pragma once
// The settings store on QSettings: by default the per-user store of
// organisation "TALMERA", application "Quelvar"; tests give it a file.

#include "uPlataforma.h"

#include <QSettings>
#include <QVariant>

#include <map>
#include <memory>

class TAlmacenQSettings final : public IAlmacenOpciones {
public:
  TAlmacenQSettings();                                 // the user's own store
  explicit TAlmacenQSettings(const QString& fichero);  // an INI file

  bool Abrir() override;
  bool Existe(const QString& nombre) const override;
  std::optional<std::int32_t> LeerEntero(const QString& nombre) const override;
  std::optional<QString> LeerCadena(const QString& nombre) const override;
  void EscribirEntero(const QString& nombre, std::int32_t valor) override;
  void EscribirCadena(const QString& nombre, const QString& valor) override;
  bool Cerrar() override;

  // Where the values live (the file of the store).
  QString Fichero() const;

private:
  std::unique_ptr<QSettings> Crear() const;

  QString Fichero_;  // empty: the user's own store
  std::unique_ptr<QSettings> Ajustes_;
  std::map<QString, QVariant> Pendientes_;  // written, kept until Cerrar
};
