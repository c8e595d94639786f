#include <gtest/gtest.h>

#include "platform/dispatch.h"
#include "shell/principal.h"
#include "support/scripted_host.h"

namespace vz {
namespace {

constexpr const char* kCommand = "\"/opt/vortel/vortel\" \"%1\"";

class AssociationsTest : public testing::Test {
  protected:
    // No FormCreate: a first start would already register everything.
    std::string value(const std::string& key) { return registry().readDefault(key); }
    bool exists(const std::string& key) { return registry().keyExists(key); }
    MemoryRegistry& registry() { return system.registry; }
    void put(const std::string& key, const std::string& text) {
        registry().createKey(key);
        registry().writeDefault(key, text);
    }

    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
};

TEST_F(AssociationsTest, FirstRegistrationOnAnEmptyRegistry) {
    form.Menucontextual1.click();
    EXPECT_TRUE(form.Menucontextual1.checked());
    EXPECT_EQ(value(".dax"), "Vortel.DesZaduvuv");
    EXPECT_EQ(value(".iso"), "Vortel.Zaduvuv");
    EXPECT_EQ(value(".lvt"), "Vortel.Listado");
    EXPECT_EQ(value(".cso"), "Vortel.DesZaduvuv");
    EXPECT_EQ(value("Vortel.DesZaduvuv"), "Imagen CISO") << ".cso is written after .dax";
    EXPECT_EQ(value("Vortel.Zaduvuv"), "Imagen ISO");
    EXPECT_EQ(value("Vortel.Listado"), "Lista Procesos Vortel Zaduvuv");
    EXPECT_EQ(value("Vortel.Zaduvuv\\DefaultIcon"), "/opt/vortel/vortel,0");
    EXPECT_EQ(value("Vortel.Zaduvuv\\Shell\\Convert"), "&Comprimir con Vortel");
    EXPECT_EQ(value("Vortel.DesZaduvuv\\Shell\\Convert"), "&Descomprimir con Vortel");
    EXPECT_EQ(value("Vortel.Listado\\Shell\\Convert"), "&Listar Con Vortel");
    for (const char* type : {"Vortel.Zaduvuv", "Vortel.DesZaduvuv", "Vortel.Listado"}) {
        EXPECT_EQ(value(std::string(type) + "\\Shell\\Convert\\Command"), kCommand) << type;
        EXPECT_EQ(value(std::string(type) + "\\Shell"), "") << "no default verb named";
    }
    EXPECT_EQ(system.shellNotifications, 4);
    EXPECT_EQ(system.desktopRegistrations, std::vector<std::string>{"register /opt/vortel/vortel"});
}

TEST_F(AssociationsTest, AnotherProgramsTypesOnlyGainTheVerb) {
    put(".iso", "Otro.Iso");
    put("Otro.Iso", "Imagen de disco de otro");
    put("Otro.Iso\\DefaultIcon", "otro.exe,3");
    put("Otro.Iso\\Shell\\Open\\Command", "otro.exe %1");
    put(".lvt", "Otro.Lista");
    form.Menucontextual1.click();
    EXPECT_EQ(value(".iso"), "Otro.Iso");
    EXPECT_EQ(value("Otro.Iso"), "Imagen de disco de otro");
    EXPECT_EQ(value("Otro.Iso\\DefaultIcon"), "otro.exe,3");
    EXPECT_EQ(value("Otro.Iso\\Shell\\Open\\Command"), "otro.exe %1");
    EXPECT_EQ(value("Otro.Iso\\Shell\\Convert"), "&Comprimir con Vortel");
    EXPECT_EQ(value("Otro.Iso\\Shell\\Convert\\Command"), kCommand);
    EXPECT_EQ(value("Otro.Lista\\Shell\\Convert"), "&Listar con Vortel");
    EXPECT_FALSE(exists("Vortel.Zaduvuv"));
    EXPECT_EQ(system.shellNotifications, 2) << "only .dax and .cso were created";
}

TEST_F(AssociationsTest, ReRegistrationRewritesVerbsAndCommandsOnly) {
    form.Menucontextual1.click();
    put("Vortel.Zaduvuv", "cambiada");
    put("Vortel.Zaduvuv\\Shell\\Convert\\Command", "\"/old/place/vortel\" \"%1\"");
    form.Menucontextual1.setChecked(false);  // the settings file was lost
    form.Menucontextual1.click();
    EXPECT_EQ(value("Vortel.Zaduvuv"), "cambiada");
    EXPECT_EQ(value("Vortel.Zaduvuv\\Shell\\Convert\\Command"), kCommand);
    EXPECT_EQ(value("Vortel.Listado\\Shell\\Convert"), "&Listar con Vortel");
}

TEST_F(AssociationsTest, RemovalKeepsForeignTypesButTakesTheirVerb) {
    form.Menucontextual1.click();
    put(".dax", "Otro.Dax");
    put("Otro.Dax", "Imagen de otro");
    put("Otro.Dax\\Shell\\Convert\\Command", kCommand);
    put("Applications\\Vortel.exe\\shell\\open\\command", "x");
    form.Menucontextual1.click();
    EXPECT_FALSE(form.Menucontextual1.checked());
    EXPECT_EQ(value(".dax"), "Otro.Dax");
    EXPECT_TRUE(exists("Otro.Dax"));
    EXPECT_FALSE(exists("Otro.Dax\\Shell\\Convert"));
    for (const char* extension : {".iso", ".lvt", ".cso"}) {
        EXPECT_TRUE(exists(extension));
        EXPECT_EQ(value(extension), "") << extension;
    }
    for (const char* gone :
         {"Vortel.Zaduvuv", "Vortel.DesZaduvuv", "Vortel.Listado", "Applications\\Vortel.exe"}) {
        EXPECT_FALSE(exists(gone)) << gone;
    }
    EXPECT_TRUE(exists("Applications"));
    EXPECT_EQ(system.desktopRegistrations.back(), "unregister");
}

TEST_F(AssociationsTest, RemovalWithoutExtensionKeysDeletesNothing) {
    put("Vortel.Zaduvuv", "queda");
    form.Menucontextual1.setChecked(true);
    form.Menucontextual1.click();
    EXPECT_TRUE(exists("Vortel.Zaduvuv"));
    EXPECT_FALSE(form.Menucontextual1.checked());
}

TEST_F(AssociationsTest, TogglingTwiceFromRegisteredCreatesTheTypesAnew) {
    form.Menucontextual1.click();
    form.Menucontextual1.click();
    form.Menucontextual1.click();
    EXPECT_TRUE(form.Menucontextual1.checked());
    EXPECT_EQ(value(".iso"), "Vortel.Zaduvuv");
    EXPECT_EQ(value("Vortel.Zaduvuv"), "Imagen ISO");
    EXPECT_EQ(system.shellNotifications, 8);
}

TEST_F(AssociationsTest, ARefusedWriteStopsTheToggleAndKeepsTheMark) {
    registry().refuseWrite.insert("Vortel.Zaduvuv\\DefaultIcon");
    EXPECT_FALSE(dispatch(host, [&] { form.Menucontextual1.click(); }));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0], "Failed to set data for ''");
    EXPECT_FALSE(form.Menucontextual1.checked());
    EXPECT_EQ(value(".dax"), "Vortel.DesZaduvuv") << ".dax was done before";
    EXPECT_FALSE(exists(".lvt")) << "the later extensions are not done";
    EXPECT_TRUE(system.desktopRegistrations.empty());
}

TEST_F(AssociationsTest, AnExtensionThatCannotBeCreatedIsSkipped) {
    registry().refuseCreate.insert(".iso");
    form.Menucontextual1.click();
    EXPECT_FALSE(exists(".iso"));
    EXPECT_EQ(value(".lvt"), "Vortel.Listado");
    EXPECT_TRUE(form.Menucontextual1.checked());
}

TEST_F(AssociationsTest, AnExtensionWhoseValueIsNotTextFailsTheToggle) {
    put(".iso", "x");
    registry().binaryValue.insert(".iso");
    EXPECT_FALSE(dispatch(host, [&] { form.Menucontextual1.click(); }));
    EXPECT_EQ(host.errors.size(), 1u);
    EXPECT_FALSE(form.Menucontextual1.checked());
}

}  // namespace
}  // namespace vz
