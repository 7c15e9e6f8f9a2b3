#pragma once
// The advanced minimization tool as the program starts it, with the real core loaded through
// the class registry beside the program.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTreeWidget>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "../app/UiFixture.h"
#include "MapHelpers.h"
#include "advmin/AdvMinimize.h"
#include "advmin/ocxint.h"

class AdvMin : public UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        // ctest may not pass MW_BIN_DIR to this suite; the suite itself sits in the program folder.
        const QString fromEnv = qEnvironmentVariable("MW_BIN_DIR");
        const QString bin = fromEnv.isEmpty() ? QCoreApplication::applicationDirPath() : fromEnv;
        for (const char* name : {"classes.reg", "libmwcore.so"})
            QFile::copy(bin + "/" + name, Path(name));
        // Start-up sees a temporary folder of the test's own; the core's first use may come
        // later in this process, after the folder is gone, so the usual one is back for it.
        const QByteArray tmpdir = qgetenv("TMPDIR");
        QDir().mkpath(Path("tmp"));
        qputenv("TMPDIR", Path("tmp").toUtf8());
        StartProgram();
        if (tmpdir.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", tmpdir);
        tool = Windows().AdvMin;
    }

    // Every root is a sum of products equal to the lists' function on every cared-for minterm.
    void ExpectRootsImplement(const std::vector<int>& ones, const std::vector<int>& dc) {
        TCarnoGrid names;  // A..D as variables 1..4, A the most significant
        ASSERT_GT(tool->TreeView->topLevelItemCount(), 0)
            << (messages.Texts().empty() ? std::string("no message") : messages.Texts().back());
        for (int i = 0; i < tool->TreeView->topLevelItemCount(); ++i) {
            const std::string formula = tool->TreeView->topLevelItem(i)->text(0).toStdString();
            for (int m = 0; m < 16; ++m) {
                if (std::count(dc.begin(), dc.end(), m)) continue;
                const bool on = std::count(ones.begin(), ones.end(), m) > 0;
                EXPECT_EQ(testing_support::Evaluate(names, formula, false, m), on)
                    << formula << " at " << m;
            }
        }
    }

    // A sum of products over names (the first the most significant bit) at minterm m.
    static bool Value(const std::string& formula, const std::vector<std::string>& names,
                      uint32_t m) {
        if (formula == "0" || formula == "1") return formula == "1";
        const int n = static_cast<int>(names.size());
        std::istringstream terms(formula);
        for (std::string term; std::getline(terms, term, '+');) {
            bool all = true;
            std::istringstream literals(term);
            for (std::string literal; std::getline(literals, literal, '*');) {
                const bool negated = literal[0] == '|';
                const auto at =
                    std::find(names.begin(), names.end(), negated ? literal.substr(1) : literal);
                if (at == names.end()) {
                    ADD_FAILURE() << "unknown literal " << literal;
                    return false;
                }
                all = all && (((m >> (n - 1 - (at - names.begin()))) & 1) != negated);
            }
            if (all) return true;
        }
        return false;
    }

    TAdvMin* tool = nullptr;
};
