"""The browsers that run the page's tests, each behind the same few methods, so that one set
of scenarios runs in every engine: Chromium and WebKitGTK through their WebDriver servers
(Debian's python3-selenium), Firefox through WebDriver BiDi, which it speaks itself, over
python3-websockets. Keys are WebDriver's key codes (selenium's Keys): a modifier stays down
until the end of the call."""
import asyncio
import base64
import json
import os
import pathlib
import re
import shutil
import subprocess
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

MODIFICATEURS = {"\ue008", "\ue009", "\ue00a", "\ue03d"}  # shift, control, alt, meta
# A click waits until the frames the page has asked for are drawn, as one of them may scroll
# it (to keep its input line in view): else the click lands where the element was. Then the
# element is brought into view.
POSE = ("return new Promise((fait) => requestAnimationFrame(() => requestAnimationFrame(() => {"
        " document.getElementById(arguments[0]).scrollIntoView({block: 'nearest'}); fait(); })));")


class ParSelenium:
    """A browser behind a WebDriver server: js(corps, *valeurs) runs `corps` as the body of a
    function of `arguments` and waits for the promise it may return."""

    def __init__(self, navigateur, telechargements):
        self.navigateur, self.telechargements = navigateur, telechargements

    def aller(self, adresse):
        self.navigateur.get(adresse)

    def js(self, corps, *valeurs):
        return self.navigateur.execute_script(corps, *valeurs)

    def touches(self, *touches):
        self.navigateur.switch_to.active_element.send_keys(*touches)

    def cliquer(self, ident):
        self.js(POSE, ident)
        self.navigateur.find_element(By.ID, ident).click()

    def choisir(self, ident, chemin):
        self.navigateur.find_element(By.ID, ident).send_keys(str(chemin))

    # The window is resized until its viewport, which is what the page sees, has that size,
    # or as near as the browser goes: WebKitGTK's MiniBrowser is not narrower than 447 px.
    def taille(self, largeur, hauteur):
        for _ in range(3):
            vue = self.js("return [innerWidth, innerHeight]")
            if vue == [largeur, hauteur]:
                return
            fenetre = self.navigateur.get_window_size()
            self.navigateur.set_window_size(fenetre["width"] + largeur - vue[0], fenetre["height"] + hauteur - vue[1])

    def demandes(self, adresse):
        return None

    def capturer(self, chemin):  # the viewport, as a PNG
        self.navigateur.save_screenshot(str(chemin))

    def fermer(self):
        self.navigateur.quit()


class Chromium(ParSelenium):
    def __init__(self, telechargements):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for option in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                       "--disable-background-networking", "--disable-component-update", "--disable-sync",
                       "--user-data-dir=" + tempfile.mkdtemp()):
            options.add_argument(option)
        options.add_experimental_option("prefs", {"download.default_directory": telechargements})
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        super().__init__(webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options), telechargements)

    # From Chromium's record of the network events of the pages at `adresse`, not of its own.
    def demandes(self, adresse):
        messages = [json.loads(e["message"])["message"] for e in self.navigateur.get_log("performance")]
        return [m["params"]["request"]["url"] for m in messages if m["method"] == "Network.requestWillBeSent"
                and m["params"].get("documentURL") == adresse]


class WebKit(ParSelenium):
    """WebKitGTK's MiniBrowser on an X server of its own: Xvfb picks a free display itself
    (-displayfd), so that tests run side by side never race for one. It saves no download."""

    def __init__(self, telechargements):
        lecture, ecriture = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(ecriture), "-nolisten", "tcp", "-screen", "0",
                                      "1280x1024x24"], pass_fds=[ecriture], stderr=subprocess.DEVNULL)
        os.close(ecriture)
        with os.fdopen(lecture) as sortie:
            os.environ["DISPLAY"] = ":" + sortie.readline().strip()
        options = webdriver.WebKitGTKOptions()
        options.binary_location = next(pathlib.Path("/usr/lib").glob("*/webkit2gtk-4.*/MiniBrowser")).as_posix()
        options.add_argument("--automation")
        try:
            super().__init__(webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options), None)
        except Exception:
            self.xvfb.kill()
            raise

    def fermer(self):
        try:
            super().fermer()
        finally:
            self.xvfb.terminate()  # which lets it remove its lock file
            self.xvfb.wait()


class Firefox:
    """Firefox over WebDriver BiDi: one connection, whose replies and events a thread of its
    own reads; each command waits for its reply."""

    def __init__(self, telechargements):
        import websockets  # only this engine needs it
        self.profil = tempfile.mkdtemp()
        # Focus as in a window that has the system's focus, which a headless one never gets:
        # without it Enter on a focused button does not press it.
        pathlib.Path(self.profil, "user.js").write_text('user_pref("focusmanager.testmode", true);\n')
        journal = pathlib.Path(self.profil, "firefox.log")
        self.processus = subprocess.Popen(
            ["firefox-esr", "--headless", "--no-remote", "--profile", self.profil, "--remote-debugging-port", "0",
             "about:blank"], stdout=subprocess.DEVNULL, stderr=journal.open("w"))
        fin = time.monotonic() + 60
        while not (adresse := re.search(r"WebDriver BiDi listening on (ws://\S+)", journal.read_text())):
            if time.monotonic() > fin or self.processus.poll() is not None:
                self.fermer()
                raise RuntimeError("Firefox did not start its WebDriver BiDi server: " + journal.read_text()[-2000:])
            time.sleep(0.05)
        self.telechargements, self.numero, self.attentes, self.urls = telechargements, 0, {}, []
        self.boucle = asyncio.new_event_loop()
        threading.Thread(target=self.boucle.run_forever, daemon=True).start()
        async def connecter():
            return await websockets.connect(adresse[1] + "/session", max_size=None)
        self.connexion = self._attendre(connecter())
        asyncio.run_coroutine_threadsafe(self._recevoir(), self.boucle)
        self.commande("session.new", capabilities={})
        self.contexte = self.commande("browsingContext.getTree")["contexts"][0]["context"]
        self.commande("session.subscribe", events=["network.beforeRequestSent"])
        self.commande("browser.setDownloadBehavior",
                      downloadBehavior={"type": "allowed", "destinationFolder": telechargements})

    def _attendre(self, travail):
        return asyncio.run_coroutine_threadsafe(travail, self.boucle).result(60)

    async def _recevoir(self):
        async for texte in self.connexion:
            message = json.loads(texte)
            if "id" in message:
                self.attentes.pop(message["id"]).set_result(message)
            elif message.get("method") == "network.beforeRequestSent":
                self.urls.append(message["params"]["request"]["url"])

    async def _envoyer(self, methode, parametres):
        self.numero += 1
        self.attentes[self.numero] = reponse = self.boucle.create_future()
        await self.connexion.send(json.dumps({"id": self.numero, "method": methode, "params": parametres}))
        return await reponse

    def commande(self, methode, **parametres):
        reponse = self._attendre(self._envoyer(methode, parametres))
        if "error" in reponse:
            raise RuntimeError(f"{methode}: {reponse['error']}: {reponse.get('message')}")
        return reponse["result"]

    def aller(self, adresse):
        self.commande("browsingContext.navigate", context=self.contexte, url=adresse, wait="complete")

    def _appeler(self, corps, valeurs):
        def valeur(v):
            if v is None:
                return {"type": "null"}
            if isinstance(v, (list, tuple)):
                return {"type": "array", "value": [valeur(x) for x in v]}
            return {"type": {bool: "boolean", str: "string"}.get(type(v), "number"), "value": v}
        resultat = self.commande("script.callFunction", functionDeclaration=f"function() {{ {corps}\n}}",
                                 arguments=[valeur(v) for v in valeurs], target={"context": self.contexte},
                                 awaitPromise=True, serializationOptions={"maxObjectDepth": 3})
        if resultat["type"] != "success":
            raise RuntimeError(f"script: {resultat['exceptionDetails']['text']}")
        return resultat["result"]

    def js(self, corps, *valeurs):
        def python(v):
            if v["type"] == "array":
                return [python(x) for x in v["value"]]
            return v.get("value")
        return python(self._appeler(corps, valeurs))

    def _element(self, ident):
        return {"sharedId": self._appeler("return document.getElementById(arguments[0]);", [ident])["sharedId"]}

    def touches(self, *touches):
        actions, tenues = [], []
        for touche in "".join(touches):
            actions.append({"type": "keyDown", "value": touche})
            if touche in MODIFICATEURS:
                tenues.append(touche)
            else:
                actions.append({"type": "keyUp", "value": touche})
        actions += [{"type": "keyUp", "value": t} for t in reversed(tenues)]
        self.commande("input.performActions", context=self.contexte,
                      actions=[{"type": "key", "id": "clavier", "actions": actions}])

    def cliquer(self, ident):
        self.js(POSE, ident)
        origine = {"type": "element", "element": self._element(ident)}
        self.commande("input.performActions", context=self.contexte, actions=[{
            "type": "pointer", "id": "souris", "parameters": {"pointerType": "mouse"},
            "actions": [{"type": "pointerMove", "x": 0, "y": 0, "origin": origine},
                        {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}])

    def choisir(self, ident, chemin):
        self.commande("input.setFiles", context=self.contexte, element=self._element(ident), files=[str(chemin)])

    def taille(self, largeur, hauteur):
        self.commande("browsingContext.setViewport", context=self.contexte,
                      viewport={"width": largeur, "height": hauteur})

    def demandes(self, adresse):
        return list(self.urls)

    def capturer(self, chemin):
        image = self.commande("browsingContext.captureScreenshot", context=self.contexte)["data"]
        pathlib.Path(chemin).write_bytes(base64.b64decode(image))

    def fermer(self):
        try:
            if hasattr(self, "contexte"):
                self.commande("browser.close")
            self.processus.wait(20)
        except Exception:
            self.processus.kill()
            self.processus.wait()
        shutil.rmtree(self.profil, ignore_errors=True)


MOTEURS = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}
