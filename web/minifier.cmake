# Minifies in place emcc's own script in the page PAGE, the one that loads the program: its
# optimizer leaves the names of its locals, which Debian's esbuild (ESBUILD) shortens. The
# script's top-level names, creerVerifierSomme among them, stay as they are.
file(READ "${PAGE}" page)
string(FIND "${page}" "<script>" debut)
string(FIND "${page}" "</script>" fin)
if(debut EQUAL -1 OR fin EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no script")
endif()
math(EXPR debut "${debut} + 8")
math(EXPR longueur "${fin} - ${debut}")
string(SUBSTRING "${page}" ${debut} ${longueur} script)
file(WRITE "${PAGE}.emcc.js" "${script}")
execute_process(COMMAND "${ESBUILD}" "${PAGE}.emcc.js" --minify --target=es2022 --charset=utf8 --log-level=warning
        "--outfile=${PAGE}.emcc.min.js"
    RESULT_VARIABLE resultat)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "esbuild could not minify the script of ${PAGE}")
endif()
file(READ "${PAGE}.emcc.min.js" minifie)
string(SUBSTRING "${page}" 0 ${debut} avant)
string(SUBSTRING "${page}" ${fin} -1 apres)
file(WRITE "${PAGE}" "${avant}${minifie}${apres}")
file(REMOVE "${PAGE}.emcc.js" "${PAGE}.emcc.min.js")
